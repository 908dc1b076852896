# Runs a libFuzzer executable for a bounded time from fresh seeds.
#   cmake -DFUZZER=... -DWORK=... -DSECONDS=... (-DSEEDS=program | -DSEED_DIR=folder)
#         [-DDICT=file] [-DMAX_LEN=bytes] [-DMALLOC_LIMIT_MB=megabytes] -P RunFuzzer.cmake
# SEEDS is a program that writes the seeds into the folder it is given;
# SEED_DIR a folder that already holds them. The corpus starts empty in WORK,
# which also serves as the fuzzer's TMPDIR and holds any crash input.
foreach(required FUZZER WORK SECONDS)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "RunFuzzer.cmake needs -D${required}=...")
  endif()
endforeach()
if(NOT DEFINED MAX_LEN)
  set(MAX_LEN 65536)
endif()
if(NOT DEFINED MALLOC_LIMIT_MB)
  set(MALLOC_LIMIT_MB 2048)
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/tmp)
if(DEFINED SEEDS)
  set(seed_dir ${WORK}/seeds)
  file(MAKE_DIRECTORY ${seed_dir})
  execute_process(COMMAND ${SEEDS} ${seed_dir} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "the fuzz seeds could not be written")
  endif()
elseif(DEFINED SEED_DIR AND IS_DIRECTORY ${SEED_DIR})
  set(seed_dir ${SEED_DIR})
else()
  message(FATAL_ERROR "no fuzz seeds: give -DSEEDS=program or -DSEED_DIR=an existing folder")
endif()
set(dict_option)
if(DEFINED DICT)
  set(dict_option -dict=${DICT})
endif()

get_filename_component(name ${FUZZER} NAME)
execute_process(
  # libFuzzer ends without exit handlers, so a target's scratch files go under
  # WORK, which the next run removes.
  COMMAND ${CMAKE_COMMAND} -E env TMPDIR=${WORK}/tmp
          ${FUZZER} -max_total_time=${SECONDS} -rss_limit_mb=2048 -malloc_limit_mb=${MALLOC_LIMIT_MB} -timeout=20
          -max_len=${MAX_LEN} -print_final_stats=1 ${dict_option} ${WORK}/corpus ${seed_dir}
  WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${name} failed (exit ${result}); its crash input is in ${WORK}")
endif()
