kalvo_add_test(tst_startup SOURCES app/tst_startup.cpp LIBS kalvo_core)
