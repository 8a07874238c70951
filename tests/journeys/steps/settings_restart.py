"""Settings kept across a restart: the Speed chosen in Ports Setup and the hex editor left
open come back as they were."""


def speed(j):
    j.menu("Tools", "Ports Options ...")
    dialog = j.window("Ports Setup")
    return dialog, j.find("slider", "Speed", within=dialog)


def run(j):
    dialog, slider = speed(j)
    assert slider.queryValue().currentValue == 5, slider.queryValue().currentValue
    j.focus(slider)
    j.keys("End")
    j.wait(lambda: slider.queryValue().currentValue == 50, "the Speed slider at Slow (50)")
    j.press("push button", "OK", within=dialog)
    j.window_closed("Ports Setup")
    j.keys("<Alt>e")
    j.window("Hex Editor", contains=True)
    j.menu("File", "Exit")
    j.desktop.wait_ended()

    j.desktop.start()
    j.window("Hex Editor", contains=True)
    dialog, slider = speed(j)
    assert slider.queryValue().currentValue == 50, slider.queryValue().currentValue
