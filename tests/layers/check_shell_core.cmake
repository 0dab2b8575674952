# Fails when the shell core reaches a tool, a tool reaches the program that
# registers it, or the evaluator includes Qt.
#   cmake -DROOT=<tree> -P check_shell_core.cmake
set(problems "")

function(check_folder folder pattern what)
  file(GLOB_RECURSE files RELATIVE "${ROOT}" "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
  foreach(file ${files})
    file(STRINGS "${ROOT}/${file}" includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${includes})
      if(line MATCHES "${pattern}")
        list(APPEND problems "${file} includes ${CMAKE_MATCH_1} (${what})")
      endif()
    endforeach()
  endforeach()
  set(problems "${problems}" PARENT_SCOPE)
endfunction()

set(tool_header "#[ \t]*include[ \t]*\"((editor|mail|browser|app)/[^\"]+|calculator/ccalculator[^\"]*)\"")
check_folder(shell "${tool_header}" "a tool, in the shell core")
foreach(tool editor mail browser)
  check_folder(${tool} "#[ \t]*include[ \t]*\"(app/[^\"]+)\"" "the program, in a tool")
endforeach()
check_folder(calculator/evaluator "#[ \t]*include[ \t]*<(Q[A-Za-z]*)" "Qt, in the evaluator")

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "The desktop's layers are crossed:\n  ${text}")
endif()
message(STATUS "The shell core includes no tool")
