// Runs a fuzz target over a fixed series of pseudo-random inputs, so that every test run checks its
// properties the same way; a property that fails aborts. Usage: NAME_replay [inputs]

#include <cstdint>
#include <cstdlib>
#include <random>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  const long inputs = argc > 1 ? std::atol(argv[1]) : 2000;
  std::mt19937 random(1);
  std::vector<std::uint8_t> input;
  for (long n = 0; n < inputs; ++n) {
    input.resize(random() % 1024);
    for (std::uint8_t& byte : input) byte = static_cast<std::uint8_t>(random());
    LLVMFuzzerTestOneInput(input.data(), input.size());
  }
}
