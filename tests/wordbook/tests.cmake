kalvo_add_test(tst_wordbookpage SOURCES wordbook/tst_wordbookpage.cpp LIBS kalvo_gui)
