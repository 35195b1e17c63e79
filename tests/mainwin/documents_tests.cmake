kalvo_add_test(tst_textdocument SOURCES core/tst_textdocument.cpp LIBS kalvo_core)
kalvo_add_test(tst_textdocuments SOURCES mainwin/tst_textdocuments.cpp LIBS kalvo_gui)
