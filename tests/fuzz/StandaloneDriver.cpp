// Runs a fuzz target without libFuzzer: feeds it every file named on the command line (every file of a
// named folder), each whole and as every prefix, so that the seed corpus runs inside the ordinary tests.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

void Feed(const std::vector<std::uint8_t>& bytes)
{
    for (std::size_t n = 0; n <= bytes.size(); ++n) {
        // An exact copy, so that a read past the end of the input is caught.
        std::vector<std::uint8_t> prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
        LLVMFuzzerTestOneInput(prefix.data(), prefix.size());
    }
}

} // namespace

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        std::vector<fs::path> paths;
        if (fs::is_directory(argv[i])) {
            for (const auto& entry : fs::directory_iterator(argv[i]))
                if (entry.is_regular_file()) paths.push_back(entry.path());
        } else {
            paths.emplace_back(argv[i]);
        }
        for (const auto& path : paths) {
            std::ifstream in(path, std::ios::binary);
            if (!in) {
                std::fprintf(stderr, "cannot read %s\n", path.c_str());
                return 2;
            }
            Feed({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
            ++files;
        }
    }
    if (files == 0) {
        std::fprintf(stderr, "no input files\n");
        return 2;
    }
    std::printf("%d seed files run, each whole and as every prefix\n", files);
    return 0;
}
