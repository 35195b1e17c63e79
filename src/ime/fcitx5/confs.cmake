# Writes the add-on's file and one input method file per method into DATA_DIR, from the method
# table METHODS (the entries of ime_methods joined with "^").
configure_file("${SOURCE_DIR}/kalvo.conf.in" "${DATA_DIR}/addon/kalvo.conf" @ONLY)
string(REPLACE "^" ";" methods "${METHODS}")
foreach(method IN LISTS methods)
    string(REPLACE "|" ";" fields "${method}")
    list(GET fields 0 unique_name)
    list(GET fields 1 shown_name)
    list(GET fields 2 label)
    configure_file("${SOURCE_DIR}/inputmethod.conf.in"
                   "${DATA_DIR}/inputmethod/${unique_name}.conf" @ONLY)
endforeach()
