// version_block_generator <version.ini> <output.cpp>: writes the version block
// that the executable carries on systems without Windows resources, as a byte
// array the version reader finds by reading the executable file.
#include "VersionBlockBuilder.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

std::map<std::string, std::string> ReadIni(const char* path)
{
    std::map<std::string, std::string> values;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == ';')
            continue;
        const auto equals = line.find('=');
        if (equals != std::string::npos)
            values[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return values;
}

void ParseVersion(const std::string& text, std::uint16_t (&parts)[4])
{
    std::istringstream in(text);
    std::string part;
    for (int i = 0; i < 4 && std::getline(in, part, '.'); ++i)
        parts[i] = static_cast<std::uint16_t>(std::stoul(part));
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s version.ini output.cpp\n", argv[0]);
        return 2;
    }
    auto ini = ReadIni(argv[1]);
    pomrola::VersionData data;
    ParseVersion(ini["FileVersionNumber"], data.fileVersion);
    ParseVersion(ini["ProductVersionNumber"], data.productVersion);
    data.fileOS = static_cast<std::uint32_t>(std::stoul(ini["FileOS"], nullptr, 0));
    data.fileFlagsMask = static_cast<std::uint32_t>(std::stoul(ini["FileFlagsMask"], nullptr, 0));
    data.fileFlags = static_cast<std::uint32_t>(std::stoul(ini["FileFlags"], nullptr, 0));
    data.language = static_cast<std::uint16_t>(std::stoul(ini["Language"], nullptr, 0));
    data.codePage = static_cast<std::uint16_t>(std::stoul(ini["CodePage"], nullptr, 0));
    for (const char* name : {"CompanyName", "FileDescription", "FileVersion", "InternalName", "LegalCopyright",
                             "LegalTrademarks", "OriginalFilename", "ProductName", "ProductVersion", "Comments"})
        data.strings.emplace_back(name, ini[name]);

    const std::vector<std::uint8_t> block = pomrola::BuildVersionBlock(data);
    std::ofstream out(argv[2], std::ios::binary);
    out << "// Generated from version.ini by version_block_generator.\n"
           "#include <cstddef>\n\n"
           "#if defined(__GNUC__)\n__attribute__((used))\n#endif\n"
           "extern const unsigned char EmbeddedVersionBlock[] = {";
    for (std::size_t i = 0; i < block.size(); ++i)
        out << (i % 16 ? " " : "\n    ") << static_cast<int>(block[i]) << ',';
    out << "\n};\nextern const std::size_t EmbeddedVersionBlockSize = sizeof(EmbeddedVersionBlock);\n";
    return out ? 0 : 1;
}
