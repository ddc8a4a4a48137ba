# Interface and runtime contract suites, each a Windows program run under Wine and Xvfb.
velmora_wine_test(win_runtime_tests
  tests/win/runtime_contract_test.cpp
)
velmora_wine_test(win_config_tests
  tests/win/config_test.cpp
)
velmora_wine_test(win_pages_tests
  tests/win/pages_test.cpp
)
velmora_wine_test(win_shared_routines_tests
  tests/win/shared_routines_test.cpp
)
velmora_wine_test(win_message_box_tests
  tests/win/message_box_test.cpp
)
