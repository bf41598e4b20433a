#include "cobbleton/aboutdlg.h"

#include "resources/cobbleton/windows.h"

CAboutDlg::CAboutDlg(QWidget *parent)
    : Dialog(cobbletonresources::Dialog100, parent)
{
}
