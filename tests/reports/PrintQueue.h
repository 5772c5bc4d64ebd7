#pragma once

// For tests that print to the test run's private print queue (CMake's
// qw_use_print_queue makes its PDF printer the default printer and names
// its output folder in QW_PRINT_OUT): the PDFs written since a mark, once
// their jobs are done, and what a PDF holds. Header-only over Qt Core.

#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <optional>

namespace qw::test {

// What pdfinfo and pdftotext read from a PDF. Sizes are in points, of the
// first page; text has each line's runs of blanks made one blank, so that a
// caption and its value read "Peak Bow Weight: 65" wherever they sit.
struct PdfContent {
    int pages = 0;
    double width = 0, height = 0;
    QString text;
};

inline QString runTool(const QString& program, const QStringList& arguments, bool* ok = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(60000);
    if (ok)
        *ok = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Pages 0 when the file is no readable PDF.
inline PdfContent readPdf(const QString& file)
{
    PdfContent pdf;
    bool ok = false;
    const QString info = runTool("pdfinfo", {file}, &ok);
    if (!ok)
        return pdf;
    static const QRegularExpression pages(R"(^Pages:\s+(\d+)$)",
                                          QRegularExpression::MultilineOption);
    static const QRegularExpression size(R"(^Page size:\s+([\d.]+) x ([\d.]+) pts)",
                                         QRegularExpression::MultilineOption);
    const auto pagesMatch = pages.match(info);
    const auto sizeMatch = size.match(info);
    if (!pagesMatch.hasMatch() || !sizeMatch.hasMatch())
        return pdf;
    pdf.pages = pagesMatch.captured(1).toInt();
    pdf.width = sizeMatch.captured(1).toDouble();
    pdf.height = sizeMatch.captured(2).toDouble();
    QStringList lines;
    for (const QString& line : runTool("pdftotext", {"-layout", file, "-"}).split('\n'))
        lines << line.simplified();
    pdf.text = lines.join('\n');
    return pdf;
}

class PrintQueue {
public:
    using Mark = QSet<QString>;

    PrintQueue() : outputFolder_(qEnvironmentVariable("QW_PRINT_OUT")) {}

    // False when the test runs without the queue (not through CTest).
    bool isAvailable() const { return !outputFolder_.isEmpty() && QDir(outputFolder_).exists(); }

    // The PDFs there now, to tell later jobs' PDFs from.
    Mark mark() const
    {
        const QStringList files = pdfs();
        return Mark(files.begin(), files.end());
    }

    // The PDFs written since the mark, oldest first, as soon as there are at
    // least `expected` of them, no job is left in the queue and no file is
    // still growing; what is there when the timeout runs out (with the jobs
    // still queued in the test's log).
    QStringList pdfsSince(const Mark& mark, int expected,
                          std::chrono::milliseconds timeout = std::chrono::seconds(60)) const
    {
        QElapsedTimer timer;
        timer.start();
        QMap<QString, qint64> previousSizes;
        for (;;) {
            const QStringList fresh = newPdfs(mark);
            QMap<QString, qint64> sizes;
            for (const QString& file : fresh)
                sizes.insert(file, QFileInfo(file).size());
            const bool written =
                sizes == previousSizes &&
                std::none_of(sizes.begin(), sizes.end(), [](qint64 size) { return size == 0; });
            if (fresh.size() >= expected && written) {
                const auto queued = queuedJobs();
                if (queued && queued->isEmpty())
                    return fresh;
            }
            if (timer.elapsed() >= timeout.count()) {
                const auto queued = queuedJobs();
                qWarning().noquote()
                    << "print queue: " << fresh.size() << " of " << expected << " PDFs after "
                    << timer.elapsed()
                    << " ms; jobs left: " << (queued ? queued->join("; ") : "(lpstat failed)");
                return fresh;
            }
            previousSizes = sizes;
            QThread::msleep(50);
        }
    }

    // The queue's jobs not yet done, as lpstat lists them; none when the
    // print server cannot be asked.
    static std::optional<QStringList> queuedJobs()
    {
        bool ok = false;
        const QString listing = runTool("lpstat", {"-o"}, &ok);
        if (!ok)
            return std::nullopt;
        return listing.split('\n', Qt::SkipEmptyParts);
    }

private:
    QStringList pdfs() const
    {
        QStringList files;
        const QDir folder(outputFolder_);
        for (const QFileInfo& file :
             folder.entryInfoList({"*.pdf"}, QDir::Files, QDir::Time | QDir::Reversed))
            files << file.absoluteFilePath();
        return files;
    }

    QStringList newPdfs(const Mark& mark) const
    {
        QStringList fresh;
        for (const QString& file : pdfs())
            if (!mark.contains(file))
                fresh << file;
        return fresh;
    }

    QString outputFolder_;
};

} // namespace qw::test
