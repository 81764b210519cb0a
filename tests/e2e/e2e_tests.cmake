# End-to-end tests: the real Halvorn2.exe under Wine, driven by e2e_driver.exe.
set(BENCH ${CMAKE_SOURCE_DIR}/tests/e2e/wine_bench.sh)

add_test(NAME e2e.setup COMMAND bash ${BENCH} setup ${CMAKE_BINARY_DIR})
set_tests_properties(e2e.setup PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)
add_test(NAME e2e.teardown COMMAND bash ${BENCH} teardown ${CMAKE_BINARY_DIR})
set_tests_properties(e2e.teardown PROPERTIES FIXTURES_CLEANUP wine)

# One ctest test per driver scenario.
function(add_e2e_test scenario)
  add_test(NAME e2e.${scenario} COMMAND bash ${BENCH} run ${CMAKE_BINARY_DIR} ${scenario} ${ARGN})
  set_tests_properties(e2e.${scenario} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 180
                       PASS_REGULAR_EXPRESSION "PASS ${scenario}")
endfunction()

add_e2e_test(window_matches_template)
add_e2e_test(keys_keep_it_open)
add_e2e_test(screenshot)
add_e2e_test(worked_example_preview)
add_e2e_test(reservation_from_command_line)
add_e2e_test(unknown_station_message)
add_e2e_test(station_codes_found)
add_e2e_test(task_name_of_a_device)
add_e2e_test(large_reservation)
add_e2e_test(register_from_form)
add_e2e_test(settings_survive_restart)
add_test(NAME e2e.no_scheduler_to_reach
         COMMAND bash ${BENCH} run-without-scheduler ${CMAKE_BINARY_DIR} no_scheduler_to_reach)
set_tests_properties(e2e.no_scheduler_to_reach PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 180
                     PASS_REGULAR_EXPRESSION "PASS no_scheduler_to_reach")
add_e2e_test(automatic_registration)
add_e2e_test(quiet_switch)
add_e2e_test(profile_tabs)
add_e2e_test(encoder_presets)
add_e2e_test(replace_stored_reservation)
add_e2e_test(saved_preset_kept)
add_e2e_test(bad_input)
add_e2e_test(viewer_lists_deletes_and_changes)
add_e2e_test(viewer_tells_the_truth)
add_e2e_test(dotted_weekly_task_name)
add_e2e_test(weekly_edit_round_trip)
add_e2e_test(version_resources ${HALVORN_FILE_VERSION} ${PROJECT_VERSION})
add_e2e_test(layout_at_144_dpi)
