# Runs fuzz targets of the fuzz tree for a set time each:
#
#   cmake -DFUZZ_BUILD=<fuzz tree> -DSECONDS=<n> [-DFUZZ_TARGET=<name>] [-DWORK=<dir>]
#         [-DFRESH=ON] [-DKEEP_GOING=ON] -P run_fuzzer.cmake
#
# The committed seeds of tests/fuzz/corpus/<target>/ are only read: the
# inputs a run finds go to WORK/<target>/corpus (emptied first when FRESH is
# set) and crashing, hanging or memory-hungry inputs to WORK/<target>/crashes/.
# Without FUZZ_TARGET every target runs in turn. KEEP_GOING lets a target carry on
# past a crash (libFuzzer's fork mode), so that one run collects every input
# that fails; the script still fails at the end if any was found.
cmake_minimum_required(VERSION 3.25)

include(${CMAKE_CURRENT_LIST_DIR}/targets.cmake)
set(seeds_root ${CMAKE_CURRENT_LIST_DIR}/corpus)

if(NOT FUZZ_BUILD)
  message(FATAL_ERROR "FUZZ_BUILD (the fuzz tree) is required")
endif()
if(NOT SECONDS)
  set(SECONDS 300)
endif()
if(NOT WORK)
  set(WORK ${FUZZ_BUILD}/runs)
endif()
set(targets ${ZORBEL_FUZZ_TARGETS})
if(FUZZ_TARGET)
  set(targets ${FUZZ_TARGET})
endif()

# Every report stops the run; the few suppressions cover Qt's and the
# system's libraries only (see tests/sanitizers/).
set(sanitizers ${CMAKE_CURRENT_LIST_DIR}/../sanitizers)
set(ENV{ASAN_OPTIONS} "abort_on_error=1:halt_on_error=1:detect_leaks=1:allocator_may_return_null=1")
set(ENV{LSAN_OPTIONS} "suppressions=${sanitizers}/lsan.supp:print_suppressions=0")
set(ENV{UBSAN_OPTIONS} "halt_on_error=1:print_stacktrace=1:suppressions=${sanitizers}/ubsan.supp")
set(ENV{QT_QPA_PLATFORM} offscreen)
# The file readers' targets write their input to a temporary file on every
# run; on a memory file system that costs no disk and no waiting for it.
if(IS_DIRECTORY /dev/shm)
  set(ENV{TMPDIR} /dev/shm)
endif()

set(failed)
foreach(target IN LISTS targets)
  set(program ${FUZZ_BUILD}/fuzz/${target})
  if(NOT EXISTS ${program})
    message(FATAL_ERROR "${program} is not built: run `make fuzz-build` first")
  endif()
  set(work ${WORK}/${target})
  if(FRESH)
    file(REMOVE_RECURSE ${work}/corpus)
  endif()
  file(MAKE_DIRECTORY ${work}/corpus ${work}/crashes)
  file(GLOB crashes_before ${work}/crashes/*)

  set(max_len 8192)
  if(DEFINED ZORBEL_FUZZ_MAX_LEN_${target})
    set(max_len ${ZORBEL_FUZZ_MAX_LEN_${target}})
  endif()
  set(options -max_total_time=${SECONDS} -timeout=25 -rss_limit_mb=2560 -max_len=${max_len}
              -artifact_prefix=${work}/crashes/ -print_final_stats=1)
  if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/${target}.dict)
    list(APPEND options -dict=${CMAKE_CURRENT_LIST_DIR}/${target}.dict)
  endif()
  if(KEEP_GOING)
    list(APPEND options -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1)
  endif()

  message(STATUS "${target}: ${SECONDS} s")
  execute_process(
    COMMAND ${program} ${options} ${work}/corpus ${seeds_root}/${target}
    INPUT_FILE /dev/null
    RESULT_VARIABLE result)
  file(GLOB crashes_after ${work}/crashes/*)
  list(REMOVE_ITEM crashes_after ${crashes_before} "")
  if(NOT result EQUAL 0 OR crashes_after)
    list(APPEND failed ${target})
    message(STATUS "${target}: failed (exit ${result}); inputs kept in ${work}/crashes/: ${crashes_after}")
  endif()
endforeach()

if(failed)
  message(FATAL_ERROR "fuzzing found failures in: ${failed}")
endif()
