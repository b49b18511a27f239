// Turns the manual's chapters into data/manual.pdf (A4):
//
//   make_manual <manual folder> <manual.pdf> <version>
//
// The manual folder holds chapters/*.html, joined in the order of their
// names, and the pictures they show (paths relative to the folder). The
// first chapter is the title page. The program numbers the headings of the
// others (<h1> chapters, <h2> sections), starts every chapter on a new page,
// writes the table of contents with page numbers after the title page, keeps
// a heading on the page of what follows it and a picture on the page of its
// caption, and puts the page number at the foot of every page but the
// first. "@VERSION@" in a chapter becomes <version>.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <QUrl>

#include <QAbstractTextDocumentLayout>
#include <cmath>
#include <cstdio>
#include <memory>
#include <set>

namespace {

// Lengths in px are 1/96 inch on the page; margins in pt are not applied.
const char* kStyleSheet = R"(
h1 { font-size: 18pt; font-weight: bold; margin-top: 0px; margin-bottom: 14px; page-break-before: always; }
h2 { font-size: 13pt; font-weight: bold; margin-top: 18px; margin-bottom: 6px; }
h3 { font-size: 11pt; font-weight: bold; margin-top: 12px; margin-bottom: 4px; }
p { margin-top: 0px; margin-bottom: 7px; }
ul, ol { margin-top: 0px; margin-bottom: 7px; }
li { margin-bottom: 3px; }
p.caption { font-size: 9pt; font-style: italic; margin-top: 4px; margin-bottom: 14px; }
p.todo { background-color: #fff0b0; }
table { margin-bottom: 7px; }
td { padding: 3px; }
th { padding: 3px; background-color: #e4e8ee; }
)";

struct Heading {
    int level;  ///< 1 chapter, 2 section
    QString text;
};

QString StripTags(QString html)
{
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    return html.remove(tag).simplified();
}

// Numbers the <h1> and <h2> headings of the chapters after the title page
// and collects them for the table of contents.
QString NumberHeadings(const QStringList& chapters, QList<Heading>& headings)
{
    static const QRegularExpression heading(QStringLiteral("<h([12])>(.*?)</h\\1>"),
                                            QRegularExpression::DotMatchesEverythingOption);
    QString joined = chapters.value(0);
    int chapter = 0;
    int section = 0;
    for (qsizetype i = 1; i < chapters.size(); ++i) {
        const QString& text = chapters[i];
        qsizetype done = 0;
        for (auto match = heading.globalMatch(text); match.hasNext();) {
            const QRegularExpressionMatch m = match.next();
            const int level = m.captured(1).toInt();
            QString number;
            if (level == 1) {
                number = QString::number(++chapter);
                section = 0;
            } else {
                number = QStringLiteral("%1.%2").arg(chapter).arg(++section);
            }
            headings.append({level, number + QStringLiteral("  ") + StripTags(m.captured(2))});
            joined += text.mid(done, m.capturedStart() - done);
            joined += QStringLiteral("<h%1>%2&nbsp;&nbsp;%3</h%1>").arg(level).arg(number, m.captured(2));
            done = m.capturedEnd();
        }
        joined += text.mid(done);
    }
    return joined;
}

// The table of contents with the page of each heading; "000" while the
// pages are not known yet (as wide as any page number).
QString TableOfContents(const QList<Heading>& headings, const QList<int>& pages)
{
    QString html = QStringLiteral("<h1>Inhalt</h1><table width=\"100%\" cellspacing=\"0\">");
    for (qsizetype i = 0; i < headings.size(); ++i) {
        const QString text = headings[i].text.toHtmlEscaped();
        const QString page = i < pages.size() ? QString::number(pages[i]) : QStringLiteral("000");
        html += headings[i].level == 1
                    ? QStringLiteral("<tr><td><b>%1</b></td><td align=\"right\"><b>%2</b></td></tr>").arg(text, page)
                    : QStringLiteral("<tr><td>&nbsp;&nbsp;&nbsp;&nbsp;%1</td><td align=\"right\">%2</td></tr>")
                          .arg(text, page);
    }
    return html + QStringLiteral("</table>");
}

class Pages {
public:
    explicit Pages(const QTextDocument& document) : document_(document) {}

    /// Document y of a block's first line, and of the bottom of its last;
    /// a block without lines counts by its bounding rectangle.
    qreal Top(const QTextBlock& block) const
    {
        const QRectF box = document_.documentLayout()->blockBoundingRect(block);
        const QTextLayout* layout = block.layout();
        if (layout->lineCount() == 0) return box.top();
        return box.top() + layout->lineAt(0).y();
    }
    qreal Bottom(const QTextBlock& block) const
    {
        const QRectF box = document_.documentLayout()->blockBoundingRect(block);
        const QTextLayout* layout = block.layout();
        if (layout->lineCount() == 0) return box.bottom();
        const QTextLine last = layout->lineAt(layout->lineCount() - 1);
        return box.top() + last.y() + last.height();
    }
    /// Half a pixel up: the layout puts a page's first line at the page's top.
    int PageAt(qreal y) const { return int(std::floor((y + 0.5) / document_.pageSize().height())); }
    int PageOf(const QTextBlock& block) const { return PageAt(Top(block)); }

private:
    const QTextDocument& document_;
};

bool HoldsPicture(const QTextBlock& block)
{
    for (auto it = block.begin(); !it.atEnd(); ++it)
        if (it.fragment().charFormat().isImageFormat()) return true;
    return false;
}

QTextTable* TableOf(const QTextBlock& block) { return QTextCursor(block).currentTable(); }

void BreakBefore(const QTextBlock& block)
{
    if (QTextTable* table = TableOf(block)) {
        QTextTableFormat format = table->format();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        table->setFormat(format);
        return;
    }
    QTextBlockFormat format;
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(block).mergeBlockFormat(format);
}

// Blocks that belong on the page of what follows them: headings, pictures
// (their caption follows) and lines that announce what follows with a colon.
bool KeptWithNext(const QTextBlock& block)
{
    if (TableOf(block)) return false;
    return block.blockFormat().headingLevel() > 0 || HoldsPicture(block) ||
           block.text().trimmed().endsWith(QLatin1Char(':'));
}

// The manual laid out on the PDF's pages, with a page break before the
// blocks numbered in `breaks` besides those the style sheet asks for.
struct Layout {
    QPdfWriter& pdf;
    QString folder;
    QSizeF page;

    std::unique_ptr<QTextDocument> Build(const QString& html, const std::set<int>& breaks) const
    {
        auto document = std::make_unique<QTextDocument>();
        document->documentLayout()->setPaintDevice(&pdf);
        document->setBaseUrl(QUrl::fromLocalFile(folder + QLatin1Char('/')));
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPointSize(10);
        document->setDefaultFont(font);
        document->setDefaultStyleSheet(QString::fromLatin1(kStyleSheet));
        document->setDocumentMargin(0);
        document->setPageSize(page);
        document->setHtml(html);
        for (int number : breaks) BreakBefore(document->findBlockByNumber(number));
        // A change lays out again only the part it touches, and that loses
        // lines of lists; the whole document is laid out anew.
        document->markContentsDirty(0, document->characterCount());
        return document;
    }
};

// Where a page break keeps a block with what follows it: before the block,
// or before the earliest of the blocks kept with it (KeptWithNext) that
// directly precede it.
QTextBlock StartOfKeptRun(QTextBlock block)
{
    while (block.previous().isValid() && KeptWithNext(block.previous())) block = block.previous();
    return block;
}

// Whether a paragraph runs over a page's end with only its first line
// before it or only its last line after it.
bool LeavesOneLineAlone(const Pages& pages, const QTextBlock& block)
{
    const QTextLayout* layout = block.layout();
    const int lines = layout->lineCount();
    if (TableOf(block) || lines < 2) return false;
    const qreal origin = pages.Top(block) - layout->lineAt(0).y();
    auto pageOfLine = [&](int i) { return pages.PageAt(origin + layout->lineAt(i).y()); };
    return pageOfLine(0) != pageOfLine(1) || pageOfLine(lines - 2) != pageOfLine(lines - 1);
}

// The next page break to make, as the number of the block it goes before:
// for a block kept with the next one that does not share a page with the
// next one's first line, for a paragraph that leaves one line alone on a
// page, or for a table shorter than a page that runs over a page's end. Blocks already in `breaks` are passed over
// (moving them did not help); a chapter's last block is never kept with the next chapter. -1 when nothing is left to
// move.
int NextBreak(const QTextDocument& document, const std::set<int>& breaks)
{
    const Pages pages(document);
    auto candidate = [&](const QTextBlock& block) {
        const int number = StartOfKeptRun(block).blockNumber();
        return breaks.count(number) ? -1 : number;
    };
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (QTextTable* table = TableOf(block); table && table->firstPosition() == block.position()) {
            const QRectF box = document.documentLayout()->frameBoundingRect(table);
            if (box.height() < document.pageSize().height() &&
                pages.PageAt(box.top()) != pages.PageAt(box.bottom() - 1)) {
                if (const int number = candidate(block); number >= 0) return number;
            }
        }
        if (LeavesOneLineAlone(pages, block)) {
            if (const int number = candidate(block); number >= 0) return number;
        }
        const QTextBlock next = block.next();
        if (!next.isValid() || next.blockFormat().headingLevel() == 1 || !KeptWithNext(block)) continue;
        if (pages.PageAt(pages.Bottom(block) - 1) != pages.PageOf(next)) {
            if (const int number = candidate(block); number >= 0) return number;
        }
    }
    return -1;
}

// The page of every <h1> and <h2> after the table of contents, in order;
// the title page counts as page 1.
QList<int> HeadingPages(const QTextDocument& document)
{
    const Pages pages(document);
    QList<int> numbers;
    bool contentsSeen = false;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level != 1 && level != 2) continue;
        if (contentsSeen) numbers << pages.PageOf(block) + 1;
        contentsSeen = true;  // the first heading is "Inhalt"
    }
    return numbers;
}

QStringList ReadChapters(const QString& folder, const QString& version)
{
    QStringList chapters;
    const QDir dir(folder + QStringLiteral("/chapters"));
    for (const QString& name : dir.entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) return {};
        chapters << QString::fromUtf8(file.readAll()).replace(QLatin1String("@VERSION@"), version);
    }
    return chapters;
}

void DrawFooter(QPainter& painter, const QRectF& area, int page, int pageCount)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(8.5);
    painter.setFont(font);
    painter.setPen(QColor(90, 90, 90));
    painter.drawLine(area.topLeft(), area.topRight());
    painter.drawText(area, Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Mirelta – Handbuch"));
    painter.drawText(area, Qt::AlignRight | Qt::AlignBottom,
                     QStringLiteral("Seite %1 von %2").arg(page).arg(pageCount));
}

}  // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: make_manual <manual folder> <manual.pdf> <version>\n");
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QStringList chapters = ReadChapters(folder, QString::fromLocal8Bit(argv[3]));
    if (chapters.size() < 2) {
        std::fprintf(stderr, "no chapters in %s/chapters\n", qPrintable(folder));
        return 1;
    }
    QList<Heading> headings;
    const QString body = NumberHeadings(chapters, headings);
    const QString titlePage = chapters.first();
    const auto html = [&](const QList<int>& pages) {
        return QStringLiteral("<html><body>") + titlePage + TableOfContents(headings, pages) +
               body.mid(titlePage.size()) + QStringLiteral("</body></html>");
    };

    QPdfWriter pdf(QString::fromLocal8Bit(argv[2]));
    pdf.setTitle(QStringLiteral("Mirelta – Handbuch"));
    pdf.setCreator(QStringLiteral("Mirelta"));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF(20, 18, 20, 14), QPageLayout::Millimeter);
    pdf.setResolution(300);
    const qreal footer = std::round(10 / 25.4 * pdf.resolution());  // 10 mm below the text
    const Layout layout{pdf, folder, QSizeF(pdf.width(), pdf.height() - footer)};

    // Headings and pictures move to the next page until none stands alone;
    // then the table of contents gets its page numbers (its lines keep their
    // length, so no page changes).
    std::set<int> breaks;
    std::unique_ptr<QTextDocument> document = layout.Build(html({}), breaks);
    for (int next = NextBreak(*document, breaks); next >= 0; next = NextBreak(*document, breaks)) {
        breaks.insert(next);
        document = layout.Build(html({}), breaks);
    }
    const QList<int> pages = HeadingPages(*document);
    document = layout.Build(html(pages), breaks);
    if (HeadingPages(*document) != pages) std::fprintf(stderr, "warning: the table of contents moved a page\n");

    QPainter painter(&pdf);
    const int pageCount = document->pageCount();
    const QSizeF page = document->pageSize();
    for (int i = 0; i < pageCount; ++i) {
        if (i > 0) pdf.newPage();
        painter.save();
        painter.translate(0, -i * page.height());
        document->drawContents(&painter, QRectF(QPointF(0, i * page.height()), page));
        painter.restore();
        if (i > 0) DrawFooter(painter, QRectF(0, page.height(), page.width(), footer), i + 1, pageCount);
    }
    painter.end();
    std::printf("%d pages\n", pageCount);
    return 0;
}
