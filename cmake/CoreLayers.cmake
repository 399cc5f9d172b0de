# The core's layers, lowest first. A layer may include its own headers and those of the layers
# before it, never those after it.
set(TINTORA_CORE_LAYERS model text base colourrules themefile pictures preview settings dialogs editor browser)
