"""Drives zavprog as a person does, through the accessibility tree, on a desktop of its own."""
