# Installs the build tree to WORK/prefix, checks what landed there, then
# configures, builds and runs the consumer example against that prefix.
# Arguments: BUILD_DIR, CONSUMER_DIR, WORK, CXX, LAUNCHER (may be empty), BUILD_TYPE.
cmake_minimum_required(VERSION 3.25)

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed (${status}):\n${output}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

set(prefix ${WORK}/prefix)
file(REMOVE_RECURSE ${prefix})
run("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix} --config ${BUILD_TYPE})

# Only the public headers: nothing of the library's inside reaches a user.
file(GLOB_RECURSE installed RELATIVE ${prefix} ${prefix}/*)
set(headers ${installed})
list(FILTER headers INCLUDE REGEX "\\.h$")
list(SORT headers)
set(expected
  include/RavlenLib/key_codes.h include/RavlenLib/property_bag.h include/RavlenLib/ravlen.h
  include/RavlenLib/ravlenlib_export.h include/RavlenLib/ravlenlib_version.h)
if(NOT headers STREQUAL expected)
  message(FATAL_ERROR "installed headers:\n  ${headers}\nexpected only:\n  ${expected}")
endif()
set(plugin ${installed})
list(FILTER plugin INCLUDE REGEX "/qt6/plugins/designer/libravlen_designer\\.so$")
if(NOT plugin)
  message(FATAL_ERROR "the Designer plugin is not in the prefix's Qt plugin folder:\n  ${installed}")
endif()

# The pkg-config file points into the prefix it was installed to.
find_program(PKG_CONFIG pkg-config REQUIRED)
set(pc ${installed})
list(FILTER pc INCLUDE REGEX "/pkgconfig/ravlenlib\\.pc$")
get_filename_component(pc_dir "${prefix}/${pc}" DIRECTORY)
set(ENV{PKG_CONFIG_PATH} ${pc_dir})
run("pkg-config" ${PKG_CONFIG} --modversion ravlenlib)
string(STRIP "${output}" version)
run("pkg-config" ${PKG_CONFIG} --variable=includedir ravlenlib)
string(STRIP "${output}" includedir)
run("pkg-config" ${PKG_CONFIG} --variable=libdir ravlenlib)
string(STRIP "${output}" libdir)
file(REAL_PATH ${includedir} includedir)
file(REAL_PATH ${prefix}/include prefix_include)
if(NOT version MATCHES "^1\\." OR NOT includedir STREQUAL prefix_include OR NOT EXISTS ${libdir}/libRavlenLib.so)
  message(FATAL_ERROR "ravlenlib.pc: version ${version}, includedir ${includedir}, libdir ${libdir}")
endif()

# The consumer's build tree stays in one place so that ccache serves its
# compiles from the second run on.
run("configuring the consumer" ${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK}/build
  -DCMAKE_BUILD_TYPE=${BUILD_TYPE} -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX}
  -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
file(STRINGS ${WORK}/build/CMakeCache.txt found REGEX "^RavlenLib_DIR:")
if(NOT found MATCHES "=${prefix}/")
  message(FATAL_ERROR "find_package took RavlenLib from elsewhere: ${found}")
endif()
run("building the consumer" ${CMAKE_COMMAND} --build ${WORK}/build)
run("the consumer" ${WORK}/build/ravlen-consumer)
message("${output}")
