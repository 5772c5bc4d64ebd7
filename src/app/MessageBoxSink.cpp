#include "MessageBoxSink.h"

#include "AppConfig.h"

#include <QMessageBox>

namespace qw::app {

void MessageBoxSink::information(const std::string& text, int)
{
    QMessageBox::information(parent_, kApplicationTitle, QString::fromStdString(text),
                             QMessageBox::Ok);
}

void MessageBoxSink::error(const std::string& text)
{
    QMessageBox::critical(parent_, kApplicationTitle, QString::fromStdString(text),
                          QMessageBox::Ok);
}

} // namespace qw::app
