#include "view/qoruview.h"

#include "common/prompter.h"
#include "doc/reporttext.h"
#include "res/strings.h"

#include <QApplication>
#include <QDropEvent>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>

#include <algorithm>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

std::u16string ToU16(const QString& s) { return s.toStdU16String(); }

QString FromU16(const std::u16string& s) { return QString::fromStdU16String(s); }

// The document's text with '\n' between lines, every other character as held.
// Breaking at word boundaries costs time that grows with the square of a
// word's length; a text with words this long wraps anywhere instead.
constexpr qsizetype kLongestWrappedWord = 4096;

bool HasHugeWord(const QString& text)
{
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() || c == QChar(0xDC0A) || c == QChar(0xDC0D) ? 0 : run + 1;
        if (run > kLongestWrappedWord)
            return true;
    }
    return false;
}

bool CarriesFiles(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

QString RawText(const QTextDocument* doc)
{
    QString text = doc->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

} // namespace

CQoruView::CQoruView(QWidget* parent) : QPlainTextEdit(parent)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFrameShape(QFrame::StyledPanel);
    applyTabStops();

    // Handing memory back takes a while: done once the user has the new text.
    m_trimTimer.setSingleShot(true);
    m_trimTimer.setInterval(1000);
    connect(&m_trimTimer, &QTimer::timeout, this, &CQoruView::releaseFreedMemory);

    connect(document(), &QTextDocument::contentsChange, this, [this](int, int, int) {
        if (m_replacing)
            return;
        m_lengthKnown = false;
        Q_EMIT textEdited();
    });
}

std::string CQoruView::fileBytes() const
{
    return ViewTextToFileBytes(ToU16(RawText(document())));
}

std::size_t CQoruView::fileLength() const
{
    if (!m_lengthKnown) {
        m_knownLength = ViewTextFileLength(ToU16(RawText(document())));
        m_lengthKnown = true;
    }
    return m_knownLength;
}

void CQoruView::adaptWrapping(const QString& added, bool fresh)
{
    const auto mode = HasHugeWord(added) ? QTextOption::WrapAnywhere
                                         : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (fresh || mode == QTextOption::WrapAnywhere)
        setWordWrapMode(mode);
}

void CQoruView::replaceText(const QString& text)
{
    adaptWrapping(text, true);
    const bool wasLarge = document()->characterCount() > kLargeText;
    m_replacing = true;
    setPlainText(text); // also forgets the undo history
    m_replacing = false;
    m_lengthKnown = false;
    if (wasLarge)
        m_trimTimer.start();
}

void CQoruView::releaseFreedMemory()
{
#ifdef __GLIBC__
    // A large old text's blocks and layouts were freed in many small pieces
    // that glibc keeps for this process unless asked to give them back.
    malloc_trim(0);
#endif
}

void CQoruView::loadFileBytes(const std::string& bytes)
{
    replaceText(FromU16(FileBytesToViewText(bytes)));
    m_knownLength = bytes.size();
    m_lengthKnown = true;
}

void CQoruView::clearText()
{
    replaceText(QString());
    m_knownLength = 0;
    m_lengthKnown = true;
}

bool CQoruView::appendReport(const std::string& report)
{
    // Reports hold nothing but text and "\r\n" line ends, which the view holds as '\n'.
    const std::u16string add
        = ToU16(QString::fromUtf8(report.data(), static_cast<qsizetype>(report.size()))
                    .replace(QLatin1String("\r\n"), QLatin1String("\n")));
    const std::size_t before = fileLength();
    const std::size_t grows = ViewTextFileLength(add);
    if (before + grows > kTypingLimit) {
        ShowInfo(window(), QString::fromUtf8(kAppendTooLarge));
        return false;
    }

    const QString added = FromU16(add);
    adaptWrapping(added, false);
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    cursor.insertText(added);
    cursor.endEditBlock();
    m_knownLength = before + grows;
    m_lengthKnown = true;

    moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(0);
    return true;
}

void CQoruView::initialUpdate()
{
    applyTabStops();
    viewport()->update();
}

void CQoruView::applyTabStops()
{
    setTabStopDistance(4 * QFontMetricsF(font()).averageCharWidth());
}

void CQoruView::changeEvent(QEvent* event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyTabStops();
}

QString CQoruView::fittingPart(const QString& text) const
{
    const QTextCursor cursor = textCursor();
    const std::size_t selected
        = ViewTextFileLength(ToU16(cursor.selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'))));
    const std::size_t room = kTypingLimit - std::min(kTypingLimit, fileLength() - std::min(fileLength(), selected));
    // Cheap answer for the common case: every character takes at most 4 bytes.
    if (static_cast<std::size_t>(text.size()) * 4 <= room)
        return text;
    if (ViewTextFileLength(ToU16(text)) <= room)
        return text;
    // The longest prefix that fits, not splitting a surrogate pair.
    qsizetype lo = 0, hi = text.size();
    while (lo < hi) {
        const qsizetype mid = (lo + hi + 1) / 2;
        if (ViewTextFileLength(ToU16(text.left(mid))) <= room)
            lo = mid;
        else
            hi = mid - 1;
    }
    if (lo > 0 && text.at(lo - 1).isHighSurrogate())
        --lo;
    return text.left(lo);
}

void CQoruView::keyPressEvent(QKeyEvent* event)
{
    QString typed = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        typed = QStringLiteral("\n");
    const bool inserts = !typed.isEmpty() && (typed.at(0).isPrint() || typed == QLatin1String("\n")
                                                 || typed == QLatin1String("\t"))
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (inserts && fittingPart(typed).size() < typed.size()) {
        event->accept();
        return; // the limit is reached: the key types nothing
    }
    QPlainTextEdit::keyPressEvent(event);
}

void CQoruView::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = event->commitString();
    if (!commit.isEmpty()) {
        const QString part = fittingPart(commit);
        if (part.size() < commit.size()) {
            QInputMethodEvent cut(event->preeditString(), event->attributes());
            cut.setCommitString(part, event->replacementStart(), event->replacementLength());
            QPlainTextEdit::inputMethodEvent(&cut);
            return;
        }
    }
    QPlainTextEdit::inputMethodEvent(event);
}

bool CQoruView::canInsertFromMimeData(const QMimeData* source) const
{
    return !CarriesFiles(source) && QPlainTextEdit::canInsertFromMimeData(source);
}

void CQoruView::dropEvent(QDropEvent* event)
{
    if (CarriesFiles(event->mimeData())) {
        event->ignore();
        return;
    }
    QPlainTextEdit::dropEvent(event);
}

void CQoruView::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    QString text = source->text();
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    const QString part = fittingPart(text);
    if (part.isEmpty())
        return;
    adaptWrapping(part, false);
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock(); // one paste, one undo step
    cursor.insertText(part);
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

void CQoruView::OnChooseFont()
{
    QFont chosen;
    if (Prompter::current()->chooseFont(window(), &chosen)) {
        // A face without Chinese glyphs leaves them to the program's Chinese
        // faces, not to the system's fallback (a Kai face on some systems).
        if (!QFontDatabase::writingSystems(chosen.family()).contains(QFontDatabase::SimplifiedChinese)) {
            QStringList families { chosen.family() };
            const QStringList program = QApplication::font().families();
            for (qsizetype i = 1; i < program.size(); ++i)
                families << program.at(i);
            chosen.setFamilies(families);
        }
        setFont(chosen);
        m_bFontChosen = true;
    }
}
