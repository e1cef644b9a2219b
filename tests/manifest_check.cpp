// manifest-check FILE...: reads the manifest resource (RT_MANIFEST, id 1) out of each
// Windows program and checks that every processorArchitecture it names suits the
// program's own machine type: x86 for i386, amd64 for x86-64, or "*". A 64-bit program
// whose manifest asks for the x86 common controls cannot create a single control.
//
// Reads the file natively, so it runs wherever the Windows builds were made, whether or
// not the machine can start them. Prints one line per file; exits 1 when one does not suit.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr uint16_t kMachineI386 = 0x014C;
constexpr uint16_t kMachineAmd64 = 0x8664;
constexpr uint32_t kResourceDirectory = 2;
constexpr uint32_t kRtManifest = 24;
constexpr uint32_t kSubdirectory = 0x80000000u;

class Image {
public:
    explicit Image(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    bool Has(uint64_t offset, uint64_t size) const { return offset + size <= bytes_.size(); }
    uint16_t U16(uint64_t at) const { return Has(at, 2) ? bytes_[at] | bytes_[at + 1] << 8 : 0; }
    uint32_t U32(uint64_t at) const {
        return Has(at, 4) ? uint32_t{U16(at)} | uint32_t{U16(at + 2)} << 16 : 0;
    }
    std::string Text(uint64_t at, uint32_t size) const {
        if (!Has(at, size)) return {};
        return std::string(bytes_.begin() + static_cast<ptrdiff_t>(at),
                           bytes_.begin() + static_cast<ptrdiff_t>(at + size));
    }

private:
    std::vector<uint8_t> bytes_;
};

struct Section {
    uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
};

struct PeFile {
    uint16_t machine = 0;
    uint32_t resourceRva = 0;
    std::vector<Section> sections;
};

bool ReadHeaders(const Image& image, PeFile* pe, std::string* error) {
    const uint32_t header = image.U32(0x3C);
    if (image.U16(0) != 0x5A4D || image.U32(header) != 0x00004550) {
        *error = "not a PE file";
        return false;
    }
    pe->machine = image.U16(header + 4);
    const uint16_t sectionCount = image.U16(header + 6);
    const uint16_t optionalSize = image.U16(header + 20);
    const uint64_t optional = header + 24;
    const bool pe32Plus = image.U16(optional) == 0x20B;
    const uint64_t directories = optional + (pe32Plus ? 112 : 96);
    const uint32_t directoryCount = image.U32(optional + (pe32Plus ? 108 : 92));
    if (directoryCount > kResourceDirectory)
        pe->resourceRva = image.U32(directories + kResourceDirectory * 8);
    for (uint64_t at = optional + optionalSize, i = 0; i < sectionCount; ++i, at += 40)
        pe->sections.push_back(
            {image.U32(at + 12), image.U32(at + 8), image.U32(at + 20), image.U32(at + 16)});
    return true;
}

// The file offset of an address of the loaded image, or 0 when no section holds it.
uint64_t FileOffset(const PeFile& pe, uint32_t rva) {
    for (const Section& s : pe.sections) {
        const uint32_t size = s.virtualSize > s.rawSize ? s.virtualSize : s.rawSize;
        if (rva >= s.virtualAddress && rva - s.virtualAddress < size)
            return uint64_t{s.rawOffset} + (rva - s.virtualAddress);
    }
    return 0;
}

// The entry of a resource directory with this id (any = the first one); its
// OffsetToData, or 0.
uint32_t FindEntry(const Image& image, uint64_t directory, uint32_t id, bool any) {
    const uint32_t named = image.U16(directory + 12);
    const uint32_t ids = image.U16(directory + 14);
    for (uint32_t i = 0; i < named + ids; ++i) {
        const uint64_t entry = directory + 16 + uint64_t{i} * 8;
        if (any || (i >= named && image.U32(entry) == id)) return image.U32(entry + 4);
    }
    return 0;
}

bool ReadManifest(const Image& image, const PeFile& pe, std::string* manifest, std::string* error) {
    const uint64_t root = FileOffset(pe, pe.resourceRva);
    if (pe.resourceRva == 0 || root == 0) {
        *error = "no resources";
        return false;
    }
    // Type, then name, then language: each level but the last points at a subdirectory.
    const uint32_t type = FindEntry(image, root, kRtManifest, false);
    const uint32_t name = type & kSubdirectory ? FindEntry(image, root + (type & ~kSubdirectory), 1, false) : 0;
    const uint32_t language = name & kSubdirectory ? FindEntry(image, root + (name & ~kSubdirectory), 0, true) : 0;
    if (language == 0 || language & kSubdirectory) {
        *error = "no manifest resource 1";
        return false;
    }
    const uint64_t data = root + language;
    const uint64_t offset = FileOffset(pe, image.U32(data));
    *manifest = image.Text(offset, image.U32(data + 4));
    if (offset == 0 || manifest->empty()) {
        *error = "the manifest resource lies outside the file";
        return false;
    }
    return true;
}

std::vector<std::string> Architectures(const std::string& manifest) {
    std::vector<std::string> values;
    const std::string key = "processorArchitecture=\"";
    for (size_t at = manifest.find(key); at != std::string::npos; at = manifest.find(key, at)) {
        at += key.size();
        values.push_back(manifest.substr(at, manifest.find('"', at) - at));
    }
    return values;
}

bool Check(const char* path) {
    std::ifstream file(path, std::ios::binary);
    Image image(std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {}));
    PeFile pe;
    std::string manifest, error;
    if (!file || !ReadHeaders(image, &pe, &error) || !ReadManifest(image, pe, &manifest, &error)) {
        std::printf("%s: %s\n", path, error.empty() ? "cannot be read" : error.c_str());
        return false;
    }
    const char* wanted = pe.machine == kMachineI386 ? "x86" : pe.machine == kMachineAmd64 ? "amd64" : "?";
    const std::vector<std::string> values = Architectures(manifest);
    bool suits = !values.empty();
    std::string listed;
    for (const std::string& value : values) {
        suits = suits && (value == wanted || value == "*");
        listed += (listed.empty() ? "" : ", ") + value;
    }
    std::printf("%s: machine 0x%04x (%s); the manifest's processorArchitecture: %s: %s\n", path,
                pe.machine, wanted, listed.empty() ? "none" : listed.c_str(),
                suits ? "suits" : "DOES NOT SUIT the machine");
    return suits;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: manifest-check FILE...\n", stderr);
        return 2;
    }
    bool allSuit = true;
    for (int i = 1; i < argc; ++i) allSuit = Check(argv[i]) && allSuit;
    return allSuit ? 0 : 1;
}
