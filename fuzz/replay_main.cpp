// Replays files (or every file of the directories given) through a libFuzzer
// entry point, so fuzz targets also run as ordinary tests under g++.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

static void replay(const std::filesystem::path &p)
{
    std::ifstream in(p, std::ios::binary);
    std::vector<char> buf((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(buf.data()), buf.size());
}

int main(int argc, char **argv)
{
    size_t n = 0;
    for (int i = 1; i < argc; i++) {
        std::filesystem::path p(argv[i]);
        if (std::filesystem::is_directory(p)) {
            for (const auto &e : std::filesystem::recursive_directory_iterator(p))
                if (e.is_regular_file()) { replay(e.path()); n++; }
        } else {
            replay(p);
            n++;
        }
    }
    // An empty input must be handled too.
    LLVMFuzzerTestOneInput(nullptr, 0);
    std::printf("replayed %zu inputs\n", n);
    return 0;
}
