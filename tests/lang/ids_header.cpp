#include "ids_header.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace lang_test {

namespace {

IdsHeader Read(const char* path)
{
    IdsHeader ids;
    std::ifstream file(path);
    std::string line;
    std::string dialog;
    while (std::getline(file, line)) {
        ids.read = true;
        if (line.compare(0, 2, "/*") == 0) {
            const std::size_t quote = line.find('"');
            dialog = line.compare(0, 4, "/* \"") == 0
                         ? line.substr(quote + 1, line.find('"', quote + 1) - quote - 1)
                         : "";
            continue;
        }
        std::istringstream words(line);
        std::string define, name, value;
        if (!(words >> define >> name >> value) || define != "#define") continue;
        if (value.front() == '"') {
            ids.names[name] = value.substr(1, value.size() - 2);
        } else {
            ids.numbers[name] = std::atoi(value.c_str() + (value.front() == '(' ? 1 : 0));
            if (!dialog.empty() && name.compare(0, 4, "IDC_") == 0)
                ids.controls[dialog].push_back(name);
        }
    }
    return ids;
}

}  // namespace

std::map<std::string, int> IdsHeader::WithPrefix(const std::string& prefix) const
{
    std::map<std::string, int> found;
    for (const auto& [name, number] : numbers)
        if (name.compare(0, prefix.size(), prefix) == 0) found[name] = number;
    return found;
}

const IdsHeader& Ids()
{
    static const IdsHeader ids = Read(CARTULAN_IDS_HEADER);
    return ids;
}

}  // namespace lang_test
