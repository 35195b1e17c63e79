target_sources(kalvo_platform PRIVATE
    platform/termination.cpp
    platform/platformservices.cpp
    platform/null/nullforeignwindows.cpp
    platform/null/nullkeylockstate.cpp
    platform/x11/x11atoms.cpp
    platform/x11/x11compoundtext.cpp
    platform/x11/x11foreignwindows.cpp
    platform/x11/x11keyboardmap.cpp
    platform/x11/x11keylockstate.cpp
    platform/x11/x11pastekeys.cpp
    platform/x11/x11property.cpp
)
