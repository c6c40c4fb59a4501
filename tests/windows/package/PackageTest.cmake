# The Windows archive as a site gets it: unpacked into a folder of its own,
# it holds exactly its four files, and its program answers under Wine as a
# user would see it. Run by ctest with -DZIP, -DWINE and -DWORK.
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${CMAKE_COMMAND}" -E tar xf "${ZIP}" WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE unpacked)
if(NOT unpacked EQUAL 0)
  message(FATAL_ERROR "${ZIP} does not unpack: ${unpacked}")
endif()
file(GLOB files RELATIVE "${WORK}" "${WORK}/*")
list(SORT files)
set(expected KorrinExportTemplate.INI README.txt korrin-batch.exe papersizes.ini)
if(NOT files STREQUAL expected)
  message(FATAL_ERROR "the archive holds ${files}, not ${expected}")
endif()

set(failures 0)
# Runs the unpacked program with the arguments; checks its exit status and
# what it wrote (line ends as a console writes them, CR LF, read as LF).
function(expect_run status expected_out expected_err)
  execute_process(COMMAND "${WINE}" "${WORK}/korrin-batch.exe" ${ARGN}
    WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 120)
  string(REPLACE "\r\n" "\n" out "${out}")
  string(REPLACE "\r\n" "\n" err "${err}")
  if(NOT result STREQUAL "${status}")
    message(SEND_ERROR "korrin-batch ${ARGN}: exit ${result}, not ${status}\n${err}")
  endif()
  if(NOT out MATCHES "${expected_out}")
    message(SEND_ERROR "korrin-batch ${ARGN}: standard output\n${out}\ndoes not match\n${expected_out}")
  endif()
  if(NOT err MATCHES "${expected_err}")
    message(SEND_ERROR "korrin-batch ${ARGN}: error output\n${err}\ndoes not match\n${expected_err}")
  endif()
endfunction()

expect_run(0 "^korrin-batch [0-9]+\\.[0-9]+ \\(Windows x86_64\\)\n$" "^$" --version)
expect_run(0 "^Usage: korrin-batch \\[options\\] PATH\\.\\.\\.\n.*  --version .*  --dry-run " "^$" --help)
expect_run(64 "^$" "^korrin-batch: Unknown option 'bogus'\\.\nTry 'korrin-batch --help' for more information\\.\n$"
  --bogus)
# The test prefix has no host installed: the start-up reads the real
# registry, says so and starts nothing.
file(WRITE "${WORK}/parts/a.ipt" "")
expect_run(2 "^$" "^\\[message\\] Sorry, Inventor is not detected on this machine\n$"
  --import "*.IPT" --export "*.STP" "${WORK}/parts")

# A host installed as the registry tells (its version and program folder)
# whose automation class is not registered: the run says it starts the host,
# cannot, and ends with every entry not reached. No logo.ipt lies beside the
# program, so the reader's self-test says so first and the start goes on.
set(version_key "HKLM\\SOFTWARE\\Autodesk\\Inventor\\Current Version")
set(paths_key "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Inventor.exe")
execute_process(COMMAND "${WINE}" reg add "${version_key}" /v RegistryVersion /d RegistryVersion11.0 /f
  OUTPUT_QUIET ERROR_QUIET)
execute_process(COMMAND "${WINE}" reg add "${paths_key}" /v Path /d "C:\\Inventor\\Bin" /f OUTPUT_QUIET ERROR_QUIET)
file(WRITE "${WORK}/parts/Default.ipj" "")
expect_run(2
  "^Checking Inventor Application, Export Formats and Settings\nStarting Inventor\nSummary: 0 converted, 0 skipped, 0 failed, 1 not reached\n$"
  "^\\[message\\] Apprentice failed: Could not open: .*logo\\.ipt to verify Apprenticeserver\n.*\n\\[message\\] Could not start Inventor\n$"
  --import "*.IPT" --export "*.STP" --yes --project "${WORK}/parts/Default.ipj" "${WORK}/parts")
execute_process(COMMAND "${WINE}" reg delete "${version_key}" /f OUTPUT_QUIET ERROR_QUIET)
execute_process(COMMAND "${WINE}" reg delete "${paths_key}" /f OUTPUT_QUIET ERROR_QUIET)
