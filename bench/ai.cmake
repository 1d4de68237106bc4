# Fuzzer for the chat reply decoder (libFuzzer, so clang only):
#   cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DBRIVANE_BUILD_TESTS=OFF
#   ninja -C build-fuzz fuzz_reply_stream && build-fuzz/bench/fuzz_reply_stream -max_total_time=60
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    add_executable(fuzz_reply_stream ai_fuzz_reply.cpp ${PROJECT_SOURCE_DIR}/src/ai/ReplyStream.cpp)
    target_include_directories(fuzz_reply_stream PRIVATE ${PROJECT_SOURCE_DIR}/src)
    target_compile_options(fuzz_reply_stream PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(fuzz_reply_stream PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(fuzz_reply_stream PRIVATE Qt6::Core)
endif()
