# SPDX-License-Identifier: GPL-3.0-or-later
# A small core and window with one fault of each kind the layer check must find
# (see CheckLayers.cmake).
list(APPEND ORVANE_LAYERS orvane_low orvane_high orvane_top app_window app_run app_shell
  program_screenshots)
set(ORVANE_LAYER_orvane_low_SOURCES "core/low/Low.cpp;core/low/Low.h")
set(ORVANE_LAYER_orvane_high_SOURCES "core/high/High.h")
set(ORVANE_LAYER_orvane_high_USES "orvane_low;orvane_top")
set(ORVANE_LAYER_orvane_top_SOURCES "core/top/Top.cpp")
set(ORVANE_LAYER_orvane_top_USES "orvane_high")
set(ORVANE_LAYER_orvane_top_SYSTEM posix)
set(ORVANE_LAYER_app_window_SOURCES "app/window/Board.h")
set(ORVANE_LAYER_app_window_SYSTEM qt)
set(ORVANE_LAYER_app_run_SOURCES "app/run/Run.cpp;app/run/Run.h")
set(ORVANE_LAYER_app_run_USES "app_window")
set(ORVANE_LAYER_app_run_SYSTEM qt)
set(ORVANE_LAYER_app_shell_SOURCES "app/shell/Shell.h")
set(ORVANE_LAYER_app_shell_USES "app_window;app_run")
set(ORVANE_LAYER_app_shell_SYSTEM "qt;qscintilla")
set(ORVANE_LAYER_program_screenshots_SOURCES "screenshots/Shot.cpp")
set(ORVANE_LAYER_program_screenshots_USES "orvane_low;orvane_high;orvane_top;app_window;app_run;app_shell")
set(ORVANE_LAYER_program_screenshots_SYSTEM qt)
