#pragma once
// TEMPORARY local stand-in, never committed
#include <QTextBrowser>
class ELinkTextBrowser : public QTextBrowser
{
public:
    explicit ELinkTextBrowser(QWidget *parent = nullptr) : QTextBrowser(parent) { setReadOnly(false); }
};
