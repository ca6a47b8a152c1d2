// The examples of the README and of the user's guide, run as a reader runs them,
// so that neither can drift from the program. An example is a line of a fenced
// block: "$ COMMAND" (continued after a trailing backslash), run from the
// repository's root, or "Press: BUTTON ...", presses on a page just opened ("Inp
// 1.5" types 1.5 into the box), whose rows show the arrows as ">" and "<". The
// lines after it are rows shown, consecutive unless "..." leaves rows out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Rows = std::vector<std::string>;

struct Example {
    int line;             // of the Markdown file, from 1
    std::string command;  // for the shell, from the repository's root
    Rows shown;
};

// Without trailing blanks.
Rows Lines(const std::string& text) {
    Rows lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line.erase(line.find_last_not_of(" \t\r") + 1));
    return lines;
}

// The presses as a `kalvo play` script: each label quoted for the shell, "Inp VALUE"
// as Inp followed by type:VALUE, and the page's arrows as ">" and "<".
std::string PlayCommand(const std::string& presses) {
    const std::string typed = std::regex_replace(presses, std::regex("Inp (\\S+)"), "Inp type:$1");
    return "build/kalvo play " + std::regex_replace(typed, std::regex("\\S+"), "'$&'") + " | sed 's/→/>/g; s/←/</g'";
}

// Every "$ " or "Press: " line, with the rows after it when it is inside a block
// (a fence may be indented, inside a list item; an example is not).
std::vector<Example> ReadExamples(const std::string& markdown) {
    std::vector<Example> examples;
    const Rows lines = Lines(markdown);
    bool inBlock = false, collecting = false;
    for (std::size_t at = 0; at < lines.size(); ++at) {
        const std::string& line = lines[at];
        if (line.substr(std::min(line.find_first_not_of(' '), line.size())).starts_with("```")) {
            inBlock = !inBlock;
            collecting = false;
        } else if (const bool presses = line.starts_with("Press: "); presses || line.starts_with("$ ")) {
            examples.push_back({static_cast<int>(at + 1), presses ? PlayCommand(line.substr(7)) : line.substr(2), {}});
            for (std::string& command = examples.back().command; command.ends_with('\\') && at + 1 < lines.size();) {
                command.pop_back();
                command += lines[++at];
            }
            collecting = inBlock;
        } else if (collecting) {
            examples.back().shown.push_back(line);
        }
    }
    return examples;
}

// Whether `output` from row `o` on shows `shown` from row `s` on: at once, or
// anywhere further on after a gap; a line "..." (indented or not) is a gap.
bool Shows(const Rows& shown, std::size_t s, const Rows& output, std::size_t o, bool gap) {
    if (s == shown.size()) return true;
    const std::string& row = shown[s];
    if (row.ends_with("...") && row.find_first_not_of(' ') == row.size() - 3)
        return Shows(shown, s + 1, output, o, true);
    for (; o < output.size(); ++o) {
        if (output[o] == row && Shows(shown, s + 1, output, o + 1, false)) return true;
        if (!gap) return false;
    }
    return false;
}

// The command's standard output and error, run by the shell from the repository's
// root with the build's own kalvo in place of build/kalvo.
std::string Shell(const std::string& command) {
    const std::string local =
        std::regex_replace(command, std::regex("(^|[ (])build/kalvo"), "$1" KALVO_BUILD_DIR "/kalvo");
    std::FILE* pipe = popen(("cd '" KALVO_SOURCE_DIR "' && (" + local + ") 2>&1").c_str(), "r");
    if (pipe == nullptr) return "cannot start the shell";
    std::string output;
    char buffer[4096];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, read);
    pclose(pipe);
    return output;
}

// Matching: runs in order, "..." (indented or not) between them, nothing needed
// there, a run found after a false start. Not: a row left out unsaid, out of
// order, one row shown twice, part of a row.
TEST(DocumentedExamples, RowsAreConsecutiveUnlessLeftOut) {
    const Rows output = {"title", "a 1", "b 2", "a 1", "c 3", "d 4"};
    // clang-format off
    const std::pair<Rows, bool> cases[] = {
        {{"title", "a 1"}, true}, {{"d 4"}, true}, {{"a 1", "c 3", "  ...", "d 4"}, true},
        {{"b 2", "...", "c 3", "d 4"}, true},
        {{"a 1", "d 4"}, false}, {{"c 3", "...", "b 2"}, false}, {{"b 2", "...", "b 2"}, false}, {{"a"}, false}};
    // clang-format on
    for (const auto& [shown, matches] : cases) EXPECT_EQ(Shows(shown, 0, output, 0, true), matches) << shown.front();
}

std::string ReadFile(const std::string& file) {
    std::ifstream in(KALVO_SOURCE_DIR "/" + file);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Every example shows rows, and the program shows them.
TEST(DocumentedExamples, ReadmeAndUsersGuide) {
    for (const std::string file : {"README.md", "docs/KalvoMFD.md"}) {
        const std::vector<Example> examples = ReadExamples(ReadFile(file));
        EXPECT_FALSE(examples.empty()) << "no examples read from " << file;
        for (const Example& example : examples) {
            const std::string where = file + ":" + std::to_string(example.line) + ": " + example.command;
            EXPECT_FALSE(example.shown.empty()) << where << ": shows no rows, or is outside a block";
            const std::string output = Shell(example.command);
            EXPECT_TRUE(Shows(example.shown, 0, Lines(output), 0, true)) << where << "\nshowed:\n" << output;
        }
    }
}

// Every link and picture of the README and of the guide that names a file of the
// tree, relative to the Markdown file as a browser takes it (the guide's picture
// lies beside it, in the tree as in the package's Doc folder), names one that is there.
TEST(DocumentedLinks, NameFilesThatExist) {
    for (const std::string file : {"README.md", "docs/KalvoMFD.md"}) {
        const std::string markdown = ReadFile(file);
        const std::filesystem::path folder = std::filesystem::path(KALVO_SOURCE_DIR "/" + file).parent_path();
        int files = 0;
        const std::regex link("\\]\\(([^)#:\\s]+)(#[^)]*)?\\)");
        for (auto found = std::sregex_iterator(markdown.begin(), markdown.end(), link); found != std::sregex_iterator();
             ++found, ++files)
            EXPECT_TRUE(std::filesystem::exists(folder / (*found)[1].str())) << file << " links " << (*found)[1];
        EXPECT_GT(files, 0) << file << " links no file";
    }
}

}  // namespace
