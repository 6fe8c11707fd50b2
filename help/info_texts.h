#pragma once

#include <QString>

#include <vector>

// One line of an about or help text: a first column, a number of tabs and a
// second column. A line with neither column is an empty line.
struct InfoLine {
    const char* first = "";
    int tabs = 0;
    const char* after = "";
};

// Joins the lines with carriage return and line feed. A help text has no line
// end after its last line; the about text ends every line.
QString assembleInfoText(const std::vector<InfoLine>& lines, bool endLastLine);

const std::vector<InfoLine>& aboutLines();
const std::vector<InfoLine>& mirrorHelpLines();
const std::vector<InfoLine>& lensHelpLines();
const std::vector<InfoLine>& kitHelpLines();
