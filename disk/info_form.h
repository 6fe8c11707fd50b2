#pragma once

#include "forms/form.h"

class QPlainTextEdit;

// The help window of DISKA: one borderless text field filling the window.
class info_form : public forms::Form {
    Q_OBJECT
public:
    info_form();

    QPlainTextEdit* Text1;
};

// The help text: a leading empty line, CR LF after every line, empty lines between paragraphs.
QString diskaHelpText();
