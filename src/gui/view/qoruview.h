#pragma once

#include <QPlainTextEdit>
#include <QTimer>

#include <string>

// The one view of the report: an editable, word-wrapped text that the
// calculators' reports are appended to. It knows no calculator.
class CQoruView : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit CQoruView(QWidget* parent = nullptr);

    // The report's bytes as the file holds them (GBK, "\r\n" line ends).
    std::string fileBytes() const;
    // Replaces the whole text with a file's bytes; not an edit of the user's.
    void loadFileBytes(const std::string& bytes);
    // Empties the text (a new report); not an edit of the user's.
    void clearText();

    // Appends a calculator's report (UTF-8, "\r\n" line ends; it begins with
    // its own line break) after the present text, leaves the caret at the
    // start and the view on the first line, and counts as a change. Refuses,
    // with a notice, a report that would take the file past the size that
    // can be opened again. Returns whether the report was appended.
    bool appendReport(const std::string& report);

    // The size of the report file the present text makes, in bytes.
    std::size_t fileLength() const;

    // Renewed for each report shown: tab stops every 4 average character widths.
    void initialUpdate();

    static constexpr std::size_t kTypingLimit = 1048575; // bytes
    // Replacing a text of more characters than this gives its memory back
    // to the system soon after.
    static constexpr int kLargeText = 100000;

    // Whether the user chose the display font, which the body then prints in.
    bool fontChosen() const { return m_bFontChosen; }

Q_SIGNALS:
    // The user changed the text (typing, cutting, pasting, undoing, appending).
    void textEdited();

public Q_SLOTS:
    void OnChooseFont();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    // Files dropped on the report are not typed into it as their names.
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void dropEvent(QDropEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void replaceText(const QString& text);
    void releaseFreedMemory();
    // Wraps at word boundaries unless the text holds a word too long for that.
    void adaptWrapping(const QString& added, bool fresh);
    void applyTabStops();
    // How much of `text` fits in place of the selection under the typing limit.
    QString fittingPart(const QString& text) const;

    bool m_replacing = false;
    bool m_bFontChosen = false;
    // The file length of the text, kept while only our own appends changed it.
    mutable std::size_t m_knownLength = 0;
    mutable bool m_lengthKnown = false;
    QTimer m_trimTimer;
};
