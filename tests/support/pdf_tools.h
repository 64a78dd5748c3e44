#pragma once
// The PDF tools of Debian's poppler-utils, run on a written PDF: its text as pdftotext lays it
// out, its page facts from pdfinfo, and one page rendered to a PNG by pdftoppm.
#include <cstdio>
#include <string>
#include <vector>

namespace qv::testing {

// Standard output of a shell command.
inline std::string commandOutput(const std::string& command)
{
    std::string text;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            text.append(buffer, n);
        pclose(pipe);
    }
    return text;
}

inline std::string pdfText(const std::string& pdf) { return commandOutput("pdftotext -layout '" + pdf + "' -"); }

inline std::string pdfInfo(const std::string& pdf) { return commandOutput("pdfinfo '" + pdf + "'"); }

// Renders page (from 1) at dpi into "<prefix>.png" and returns that path.
inline std::string renderPdfPage(const std::string& pdf, int page, int dpi, const std::string& prefix)
{
    const std::string number = std::to_string(page);
    commandOutput("pdftoppm -png -singlefile -r " + std::to_string(dpi) + " -f " + number + " -l " + number + " '" +
                  pdf + "' '" + prefix + "'");
    return prefix + ".png";
}

// The non-blank lines of a text, each without its white space (set aside in comparisons).
inline std::vector<std::string> textLines(const std::string& text)
{
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\n' && !lines.back().empty())
            lines.emplace_back();
        else if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            lines.back() += c;
    }
    if (lines.back().empty())
        lines.pop_back();
    return lines;
}

// The pages of pdftotext's text, each as its non-blank lines (whitespace set aside).
inline std::vector<std::vector<std::string>> pdfPages(const std::string& text)
{
    std::vector<std::vector<std::string>> pages;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\f', start)) != std::string::npos; start = end + 1)
        pages.push_back(textLines(text.substr(start, end - start)));
    return pages;
}

// The lines of every page without the page's first line (the header) and last (the footer).
inline std::vector<std::string> pdfBodyLines(const std::string& text)
{
    std::vector<std::string> body;
    for (const std::vector<std::string>& page : pdfPages(text))
        if (page.size() > 2)
            body.insert(body.end(), page.begin() + 1, page.end() - 1);
    return body;
}

}  // namespace qv::testing
