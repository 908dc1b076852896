# Runs the map fuzzer for a bounded time from fresh seeds.
#   cmake -DFUZZER=... -DSEEDS=... -DWORK=... -DSECONDS=... -P RunFuzzer.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/seeds ${WORK}/corpus ${WORK}/tmp)
execute_process(COMMAND ${SEEDS} ${WORK}/seeds RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the fuzz seeds could not be written")
endif()
execute_process(
  # The target's map folder goes under TMPDIR: libFuzzer ends without exit
  # handlers, and the next run removes WORK.
  COMMAND ${CMAKE_COMMAND} -E env TMPDIR=${WORK}/tmp
          ${FUZZER} -max_total_time=${SECONDS} -rss_limit_mb=2048 -timeout=20 -max_len=65536
          -print_final_stats=1 ${WORK}/corpus ${WORK}/seeds
  WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the map fuzzer failed (exit ${result}); its crash input is in ${WORK}")
endif()
