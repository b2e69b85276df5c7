// Finds include cycles between source units. A unit is a .h/.cpp pair (the files of one
// folder with one base name); a .cpp without a header of its own name belongs to the
// header of its folder it includes first, the header whose functions it defines (our
// files include their own header first). A unit depends on another when one of its files
// includes the other's header by name ("Name.h"). Every group of units that reach each
// other is printed with the includes that join them, and the exit code is 1 when there is one.
//
//     vanrek_include_cycles [--pair A B]... folder...
//
// --pair A B takes the units named A and B as one (a class and its close partner).
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{

std::vector<std::string> quotedIncludes(const fs::path &file)
{
    static const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
    std::vector<std::string> out;
    std::ifstream in(file);
    std::string line;
    std::smatch m;
    while (std::getline(in, line))
        if (std::regex_search(line, m, include))
            out.push_back(fs::path(m[1].str()).filename().string());
    return out;
}

// The base name of the unit a file belongs to.
std::string unitName(const fs::path &file, const std::vector<std::string> &includes)
{
    const std::string own = file.stem().string();
    if (file.extension() != ".cpp" || includes.empty() || fs::exists(fs::path(file).replace_extension(".h")))
        return own;
    const fs::path implemented = file.parent_path() / includes.front();
    return fs::exists(implemented) ? implemented.stem().string() : own;
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<fs::path> roots;
    std::map<std::string, std::string> partner; // base name -> the base name it is taken with
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--pair" && i + 2 < argc) {
            partner[argv[i + 2]] = argv[i + 1];
            i += 2;
        } else {
            roots.emplace_back(arg);
        }
    }
    if (roots.empty()) {
        std::fprintf(stderr, "usage: %s [--pair A B]... folder...\n", argv[0]);
        return 2;
    }

    // A unit (folder/base name, relative to its root folder) -> the header names its files include.
    std::map<std::string, std::set<std::string>> units;
    std::map<std::string, std::set<std::string>> unitsOfHeader; // "Name.h" -> units
    for (const fs::path &root : roots) {
        for (const auto &entry : fs::recursive_directory_iterator(root)) {
            const fs::path &file = entry.path();
            const std::string ext = file.extension().string();
            if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp"))
                continue;
            std::vector<std::string> included = quotedIncludes(file);
            std::string base = unitName(file, included);
            if (const auto it = partner.find(base); it != partner.end())
                base = it->second;
            const std::string name =
                (fs::relative(file.parent_path(), root) / base).lexically_normal().generic_string();
            std::set<std::string> &includes = units[name];
            for (std::string &header : included)
                includes.insert(std::move(header));
            if (ext == ".h")
                unitsOfHeader[file.filename().string()].insert(name);
        }
    }

    std::map<std::string, std::set<std::string>> edges;
    for (const auto &[name, includes] : units)
        for (const std::string &header : includes)
            for (const std::string &target : unitsOfHeader[header])
                if (target != name)
                    edges[name].insert(target);

    // Tarjan's strongly connected components.
    std::map<std::string, int> index;
    std::map<std::string, int> low;
    std::vector<std::string> stack;
    std::set<std::string> onStack;
    std::vector<std::vector<std::string>> cycles;
    int next = 0;
    std::function<void(const std::string &)> visit = [&](const std::string &v) {
        index[v] = low[v] = next++;
        stack.push_back(v);
        onStack.insert(v);
        for (const std::string &w : edges[v]) {
            if (!index.count(w)) {
                visit(w);
                low[v] = std::min(low[v], low[w]);
            } else if (onStack.count(w)) {
                low[v] = std::min(low[v], index[w]);
            }
        }
        if (low[v] != index[v])
            return;
        std::vector<std::string> group;
        std::string w;
        do {
            w = stack.back();
            stack.pop_back();
            onStack.erase(w);
            group.push_back(w);
        } while (w != v);
        if (group.size() > 1)
            cycles.push_back(group);
    };
    for (const auto &[name, includes] : units)
        if (!index.count(name))
            visit(name);

    for (std::vector<std::string> &group : cycles) {
        std::sort(group.begin(), group.end());
        std::printf("include cycle between %zu units:\n", group.size());
        for (const std::string &from : group)
            for (const std::string &to : edges[from])
                if (std::find(group.begin(), group.end(), to) != group.end())
                    std::printf("    %s -> %s\n", from.c_str(), to.c_str());
    }
    if (cycles.empty())
        std::printf("no include cycles between the %zu units\n", units.size());
    return cycles.empty() ? 0 : 1;
}
