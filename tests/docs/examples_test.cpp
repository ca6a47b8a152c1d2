// The examples of the README and of the user's guide, run as a reader runs them,
// so that neither can drift from the program. An example is a line of a fenced
// block: "$ COMMAND" (continued after a trailing backslash), run from the
// repository's root, or "Press: BUTTON ...", presses on a page just opened ("Inp
// 1.5" types 1.5 into the box), whose rows show the arrows as ">" and "<". The
// lines after it are rows shown, consecutive unless "..." leaves rows out.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Example {
    int line;             // of the Markdown file, from 1
    std::string command;  // for the shell, from the repository's root
    bool plainArrows;     // the rows show the page's arrows as ">" and "<"
    std::vector<std::string> shown;
};

constexpr std::string_view kShellPrompt = "$ ";
constexpr std::string_view kPresses = "Press: ";
constexpr std::string_view kLeftOut = "...";

// Without trailing blanks.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line.erase(line.find_last_not_of(" \t\r") + 1));
    return lines;
}

// The presses as a `kalvo play` script: each label quoted for the shell, and
// "Inp VALUE" as Inp followed by type:VALUE.
std::string PlayCommand(std::string_view presses) {
    std::istringstream words{std::string(presses)};
    std::string command = "build/kalvo play";
    bool typing = false;
    for (std::string word; words >> word; typing = word == "Inp")
        command += " '" + (typing ? "type:" + word : word) + "'";
    return command;
}

std::vector<Example> ReadExamples(const std::string& markdown) {
    std::vector<Example> examples;
    const std::vector<std::string> lines = Lines(markdown);
    bool inBlock = false;
    std::optional<Example> current;
    const auto finish = [&] {
        if (current && !current->shown.empty()) examples.push_back(*current);
        current.reset();
    };
    for (std::size_t at = 0; at < lines.size(); ++at) {
        const std::string line = lines[at];
        // A fence may be indented (inside a list item), an example is not.
        const std::size_t indent = line.find_first_not_of(' ');
        if (indent != std::string::npos && line.compare(indent, 3, "```") == 0) {
            finish();
            inBlock = !inBlock;
        } else if (!inBlock) {
            continue;
        } else if (line.starts_with(kShellPrompt)) {
            finish();
            current = Example{static_cast<int>(at + 1), line.substr(kShellPrompt.size()), false, {}};
            while (current->command.ends_with('\\') && at + 1 < lines.size()) {
                current->command.pop_back();
                current->command += lines[++at];
            }
        } else if (line.starts_with(kPresses)) {
            finish();
            current = Example{static_cast<int>(at + 1), PlayCommand(line.substr(kPresses.size())), true, {}};
        } else if (current) {
            current->shown.push_back(line);
        }
    }
    return examples;
}

// A line "..." (indented or not) leaves rows out.
bool LeavesRowsOut(const std::string& line) {
    const std::size_t first = line.find_first_not_of(' ');
    return first != std::string::npos && std::string_view(line).substr(first) == kLeftOut;
}

std::string WithPlainArrows(std::string text) {
    for (const auto& [arrow, plain] : {std::pair{"→", ">"}, {"←", "<"}})
        for (std::size_t at = 0; (at = text.find(arrow, at)) != std::string::npos;) text.replace(at, 3, plain);
    return text;
}

// Empty when `output` shows the rows, else which rows it lacks.
std::string MissingRows(const std::vector<std::string>& shown, const std::vector<std::string>& output) {
    std::size_t from = 0;  // where in the output the next run of rows may start
    for (std::size_t first = 0; first < shown.size();) {
        std::size_t end = first;
        while (end < shown.size() && !LeavesRowsOut(shown[end])) ++end;
        if (end > first) {
            const auto at = std::search(output.begin() + static_cast<std::ptrdiff_t>(from), output.end(),
                                        shown.begin() + static_cast<std::ptrdiff_t>(first),
                                        shown.begin() + static_cast<std::ptrdiff_t>(end));
            if (at == output.end())
                return "no rows \"" + shown[first] + "\" to \"" + shown[end - 1] + "\" there, in this order";
            from = static_cast<std::size_t>(at - output.begin()) + (end - first);
        }
        first = end + 1;
    }
    return "";
}

// The command's standard output and error, run by the shell from the repository's
// root with the build's own kalvo in place of build/kalvo.
std::string Run(const std::string& command) {
    std::string local = command;
    const std::string built = std::string(KALVO_BUILD_DIR) + "/kalvo";
    for (std::size_t at = 0; (at = local.find("build/kalvo", at)) != std::string::npos;) {
        if (at == 0 || local[at - 1] == ' ' || local[at - 1] == '(') {
            local.replace(at, 11, built);
            at += built.size();
        } else {
            at += 11;
        }
    }
    std::FILE* pipe = popen(("cd '" KALVO_SOURCE_DIR "' && (" + local + ") 2>&1").c_str(), "r");
    if (pipe == nullptr) return "cannot start the shell";
    std::string output;
    char buffer[4096];
    for (std::size_t read; (read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, read);
    pclose(pipe);
    return output;
}

std::string ReadFile(const std::string& name) {
    std::ifstream in(std::string(KALVO_SOURCE_DIR) + "/" + name);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(DocumentedExamples, RowsAreConsecutiveUnlessLeftOut) {
    const std::vector<std::string> output = {"title", "a 1", "b 2", "c 3", "d 4"};
    // Matching: runs in order, "..." (indented or not) between them, nothing needed
    // there. Not: a row left out unsaid, out of order, one row shown twice, part of a row.
    // clang-format off
    const std::pair<std::vector<std::string>, bool> cases[] = {
        {{"a 1", "b 2"}, true}, {{"title"}, true}, {{"d 4"}, true}, {{"a 1", "...", "d 4"}, true},
        {{"a 1", "  ...", "d 4"}, true}, {{"a 1", "...", "b 2", "c 3"}, true},
        {{"a 1", "c 3"}, false}, {{"b 2", "...", "a 1"}, false}, {{"a 1", "...", "a 1"}, false},
        {{"a"}, false}, {{"e 5"}, false}};
    // clang-format on
    for (const auto& [shown, matches] : cases) EXPECT_EQ(MissingRows(shown, output).empty(), matches) << shown.front();
}

// Every "$ " or "Press: " line of the file is an example that shows rows.
void ExpectExamplesHold(const std::string& file) {
    const std::string markdown = ReadFile(file);
    const std::vector<Example> examples = ReadExamples(markdown);
    ASSERT_FALSE(examples.empty()) << "no examples read from " << file;
    int starts = 0;
    for (const std::string& line : Lines(markdown))
        if (line.starts_with(kShellPrompt) || line.starts_with(kPresses)) ++starts;
    EXPECT_EQ(static_cast<int>(examples.size()), starts) << file << ": an example shows no rows, or is outside a block";
    for (const Example& example : examples) {
        const std::string run = Run(example.command);
        const std::string output = example.plainArrows ? WithPlainArrows(run) : run;
        const std::string missing = MissingRows(example.shown, Lines(output));
        EXPECT_EQ(missing, "") << file << ":" << example.line << ": " << example.command << "\nshowed:\n" << output;
    }
}

TEST(DocumentedExamples, ReadmeAndUsersGuide) {
    for (const char* file : {"README.md", "docs/KalvoMFD.md"}) ExpectExamplesHold(file);
}

}  // namespace
