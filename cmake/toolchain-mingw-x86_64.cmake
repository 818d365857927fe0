# The same sources built for 64-bit Windows: this is the build the Windows tests run under
# wine64, because the machines we test on cannot execute 32-bit Linux processes (and so no
# 32-bit Wine). Keeping both builds warning-free keeps the code free of pointer-size faults.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUILL_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
