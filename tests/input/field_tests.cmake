kalvo_add_test(tst_russianfield SOURCES input/tst_russianfield.cpp LIBS kalvo_gui)
