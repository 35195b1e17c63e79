kalvo_add_test(tst_x11_typing X11 SOURCES x11/tst_x11_typing.cpp LIBS kalvo_gui)
kalvo_add_test(tst_x11_foreignwindows X11 SOURCES x11/tst_x11_foreignwindows.cpp
    LIBS kalvo_gui PkgConfig::XCB)
kalvo_add_test(tst_x11_transfer X11 SOURCES x11/tst_x11_transfer.cpp LIBS kalvo_gui)
