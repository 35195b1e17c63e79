target_sources(kalvo_platform PRIVATE
    platform/termination.cpp
    platform/platformservices.cpp
    platform/null/nullkeylockstate.cpp
    platform/x11/x11keylockstate.cpp
)
