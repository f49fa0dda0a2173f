# A small core with one fault of each kind the layer check must find (see CheckLayers.cmake).
list(APPEND ORVANE_LAYERS orvane_low orvane_high orvane_top)
set(ORVANE_LAYER_orvane_low_SOURCES "core/low/Low.cpp;core/low/Low.h")
set(ORVANE_LAYER_orvane_high_SOURCES "core/high/High.h")
set(ORVANE_LAYER_orvane_high_USES "orvane_low;orvane_top")
set(ORVANE_LAYER_orvane_top_SOURCES "core/top/Top.cpp")
set(ORVANE_LAYER_orvane_top_USES "orvane_high")
set(ORVANE_LAYER_orvane_top_PLATFORM TRUE)
