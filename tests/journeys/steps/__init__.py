"""The journeys, one a module, each a task from the user manual: run(journey) does it."""
