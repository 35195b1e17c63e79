target_sources(kalvo_platform PRIVATE
    platform/termination.cpp
)
