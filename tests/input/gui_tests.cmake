kalvo_add_test(tst_keybutton SOURCES input/tst_keybutton.cpp LIBS kalvo_gui)
kalvo_add_test(tst_ruspad SOURCES input/tst_ruspad.cpp LIBS kalvo_gui)
