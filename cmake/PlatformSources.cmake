# The platform backend is chosen here, never by #ifdef inside function bodies.
if(WIN32)
  set(WAKELATCH_PLATFORM windows)
else()
  set(WAKELATCH_PLATFORM linux)
endif()
message(STATUS "Wakelatch platform backend: ${WAKELATCH_PLATFORM}")
