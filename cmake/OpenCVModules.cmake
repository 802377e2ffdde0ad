# The OpenCV modules the program uses, as the imported target quorin::opencv.
# Debian's per-module -dev packages ship no CMake config, so the libraries are located directly
# when no OpenCV config is installed.
set(_quorin_cv_modules core imgproc imgcodecs videoio)
find_package(OpenCV 4 QUIET COMPONENTS ${_quorin_cv_modules})
add_library(quorin_opencv INTERFACE)
add_library(quorin::opencv ALIAS quorin_opencv)
if(OpenCV_FOUND)
    target_include_directories(quorin_opencv SYSTEM INTERFACE ${OpenCV_INCLUDE_DIRS})
    target_link_libraries(quorin_opencv INTERFACE ${OpenCV_LIBS})
else()
    find_path(QUORIN_OPENCV_INCLUDE_DIR opencv2/core.hpp PATH_SUFFIXES opencv4 REQUIRED)
    target_include_directories(quorin_opencv SYSTEM INTERFACE ${QUORIN_OPENCV_INCLUDE_DIR})
    foreach(module ${_quorin_cv_modules})
        find_library(QUORIN_OPENCV_${module} opencv_${module} REQUIRED)
        target_link_libraries(quorin_opencv INTERFACE ${QUORIN_OPENCV_${module}})
    endforeach()
endif()
