#include "stats/evaluatedlg.h"

#include "common/exactdecimal.h"
#include "common/prompter.h"
#include "common/reportnum.h"
#include "stats/dialog155.h"
#include "stats/evaluatechart.h"
#include "stats/groupinput.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

#include <algorithm>

namespace {

const char* const kNothingToPaste = "剪贴板中没有试件强度。";
const char* const kPassed = "合格";
const char* const kFailed = "不合格";
const char* const kValueHeader = "代表值";
const char* const kFactorInvalid = "（系数无效）";

enum Column
{
    kNumber,
    kStrengths,
    kValue,
};

QString Q(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

QString StrengthsText(const EvalGroup& g)
{
    if (g.strengths.size() == 1)
        return Q(ReportUnits(g.strengths[0], 1)) + QStringLiteral("（代表值）");
    QStringList parts;
    for (std::int64_t s : g.strengths)
        parts << Q(ReportUnits(s, 1));
    return parts.join(QStringLiteral("  "));
}

double Mpa(std::int64_t units, int decimals)
{
    return static_cast<double>(units) / static_cast<double>(Pow10(decimals));
}

// The paste entry of a line edit's own context menu: the one that names the
// paste keys, or else the fifth entry (undo, redo, cut, copy, paste, ...).
QAction* PasteAction(QMenu* menu)
{
    const QString keys
        = QLatin1Char('\t') + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    QList<QAction*> entries;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        if (a->text().endsWith(keys))
            return a;
        entries << a;
    }
    return entries.size() == 7 ? entries[4] : nullptr;
}

} // namespace

CEvaluateDlg::CEvaluateDlg(QWidget* pParent)
    : CCalcFormOf(CalcKind::Evaluate, EvaluateDialogSpec(), pParent)
{
    m_editInput = edit(IDC_EVAL_INPUT);
    m_listGroups = qobject_cast<QTableWidget*>(control(IDC_EVAL_LIST));
    m_cbGrade = dropList(IDC_EVAL_GRADE);
    m_cbMethod = dropList(IDC_EVAL_METHOD);
    m_cbSize = dropList(IDC_EVAL_SIZE);
    setEnterButtons({ IDC_EVAL_CALC, IDCANCEL, IDC_EVAL_ADD, IDC_EVAL_DELETE, IDC_EVAL_PASTE });

    // The chart takes the place the table keeps for it.
    QWidget* place = control(IDC_EVAL_CHART);
    m_pChart = new CEvaluateChart(this);
    m_pChart->setGeometry(place->geometry());
    m_pChart->setObjectName(QString::number(IDC_EVAL_CHART));
    m_pChart->setAccessibleName(QStringLiteral("强度代表值图"));
    m_pChart->setFocusPolicy(Qt::NoFocus);
    place->hide();

    connect(button(IDC_EVAL_ADD), &QPushButton::clicked, this, &CEvaluateDlg::OnAdd);
    connect(button(IDC_EVAL_DELETE), &QPushButton::clicked, this, &CEvaluateDlg::OnDelete);
    connect(button(IDC_EVAL_PASTE), &QPushButton::clicked, this, &CEvaluateDlg::OnPaste);
    connect(button(IDC_EVAL_CALC), &QPushButton::clicked, this, &CEvaluateDlg::OnEvaluate);
    connect(button(IDCANCEL), &QPushButton::clicked, this, &QDialog::reject);

    OnInitDialog();
}

void CEvaluateDlg::OnInitDialog()
{
    for (const EvalGradeItem& g : kEvalGrades)
        m_cbGrade->addItem(QString::fromUtf8(g.text));
    for (const char* m : kEvalMethodItems)
        m_cbMethod->addItem(QString::fromUtf8(m));
    for (const char* s : kSpecimenSizeItems)
        m_cbSize->addItem(QString::fromUtf8(s));
    m_cbGrade->setCurrentIndex(kOpeningEvalGrade);
    m_cbMethod->setCurrentIndex(0);
    m_cbSize->setCurrentIndex(0);
    edit(IDC_EVAL_FACTOR)->setText(Q(ReportUnits(SizeFactorUnits(SpecimenSize::Mm150), 2)));
    edit(IDC_EVAL_SIGMA0)->setEnabled(false);

    connect(m_cbGrade, &QComboBox::activated, this, &CEvaluateDlg::OnSelendokGrade);
    connect(m_cbMethod, &QComboBox::activated, this, &CEvaluateDlg::OnSelendokMethod);
    connect(m_cbSize, &QComboBox::activated, this, &CEvaluateDlg::OnSelendokSize);
    connect(edit(IDC_EVAL_FACTOR), &QLineEdit::textChanged, this, [this] {
        clearResults();
        refreshGroups();
    });
    connect(edit(IDC_EVAL_SIGMA0), &QLineEdit::textChanged, this, &CEvaluateDlg::clearResults);

    QTableWidget* list = m_listGroups;
    list->setColumnCount(3);
    list->setHorizontalHeaderLabels(
        { QStringLiteral("组号"), QStringLiteral("试件强度"), QString::fromUtf8(kValueHeader) });
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->horizontalHeader()->setStretchLastSection(true);
    const int digit = list->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    list->setColumnWidth(
        kNumber, list->fontMetrics().horizontalAdvance(QStringLiteral("组号")) + 2 * digit);
    list->setColumnWidth(kStrengths, 18 * digit);

    // The input box's own paste goes through pasteIntoBox, from the menu as from the keys.
    m_editInput->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_editInput, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu* menu = m_editInput->createStandardContextMenu();
        if (QAction* paste = PasteAction(menu)) {
            disconnect(paste, &QAction::triggered, nullptr, nullptr);
            connect(paste, &QAction::triggered, this, &CEvaluateDlg::pasteIntoBox);
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(m_editInput->mapToGlobal(at));
    });

    clearResults();
    refreshGroups();
    centreOverOwner();
    m_editInput->setFocus(Qt::OtherFocusReason);
}

std::int64_t CEvaluateDlg::fcuK() const
{
    const int i = std::clamp(m_cbGrade->currentIndex(), 0, int(kEvalGrades.size()) - 1);
    return kEvalGrades[static_cast<size_t>(i)].fcuK;
}

SpecimenSize CEvaluateDlg::size() const
{
    return static_cast<SpecimenSize>(std::clamp(m_cbSize->currentIndex(), 0, 2));
}

std::optional<std::int64_t> CEvaluateDlg::shownFactor() const
{
    const auto factor = ParseUnits(edit(IDC_EVAL_FACTOR)->text().toStdString(), 2);
    if (factor && *factor >= 50 && *factor <= 150)
        return factor;
    return std::nullopt;
}

void CEvaluateDlg::OnSelendokGrade()
{
    clearResults();
    refreshGroups();
    showSizeNotice();
}

void CEvaluateDlg::OnSelendokMethod()
{
    const bool known = m_cbMethod->currentIndex() == int(EvalMethod::Known);
    edit(IDC_EVAL_SIGMA0)->setEnabled(known);
    clearResults();
}

void CEvaluateDlg::OnSelendokSize()
{
    edit(IDC_EVAL_FACTOR)->setText(Q(ReportUnits(SizeFactorUnits(size()), 2)));
    showSizeNotice();
}

void CEvaluateDlg::showSizeNotice()
{
    if (const auto notice = SizeNotice(fcuK(), size()))
        ShowMessage(this, *notice);
}

void CEvaluateDlg::OnAdd()
{
    const GroupLineEntry entry = ReadGroupLine(m_editInput->text().toStdString());
    if (entry.check != GroupLineCheck::Accepted) {
        ShowMessage(this, GroupLineMessage(entry));
        focusBox(m_editInput);
        return;
    }
    addGroups({ entry.group });
    m_editInput->clear();
    m_editInput->setFocus(Qt::OtherFocusReason);
}

bool CEvaluateDlg::pasteBlock(const QString& text)
{
    const GroupBlock block = ReadGroupBlock(text.toStdString());
    if (block.badLine) {
        ShowInfo(this, Q(GroupBlockNotice(block)));
        return false;
    }
    if (block.groups.empty()) {
        ShowInfo(this, QString::fromUtf8(kNothingToPaste));
        return false;
    }
    addGroups(block.groups);
    return true;
}

void CEvaluateDlg::OnPaste()
{
    pasteBlock(QApplication::clipboard()->text());
}

void CEvaluateDlg::pasteIntoBox()
{
    QString text = QApplication::clipboard()->text();
    int lines = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        lines += line.trimmed().isEmpty() ? 0 : 1;
    if (lines > 1) {
        if (pasteBlock(text))
            m_editInput->clear();
        return;
    }
    // One row of cells: its tabs and line end become blanks in the box.
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    m_editInput->insert(text.trimmed());
}

bool CEvaluateDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == m_editInput && key->matches(QKeySequence::Paste)) {
            pasteIntoBox();
            return true;
        }
        if (watched == m_listGroups && key->matches(QKeySequence::Paste)) {
            OnPaste();
            return true;
        }
        if (watched == m_listGroups && key->key() == Qt::Key_Delete) {
            OnDelete();
            return true;
        }
    }
    return CFormDialog::eventFilter(watched, event);
}

void CEvaluateDlg::addGroups(const std::vector<EvalGroup>& groups)
{
    m_groups.insert(m_groups.end(), groups.begin(), groups.end());
    clearResults();
    refreshGroups();
    m_listGroups->scrollToBottom();
}

void CEvaluateDlg::OnDelete()
{
    QList<int> rows;
    for (const QModelIndex& index : m_listGroups->selectionModel()->selectedRows())
        rows << index.row();
    if (rows.isEmpty())
        return;
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (int row : rows)
        m_groups.erase(m_groups.begin() + row);
    m_listGroups->clearSelection();
    clearResults();
    refreshGroups();
}

void CEvaluateDlg::refreshGroups()
{
    const std::optional<std::int64_t> factor = shownFactor();
    QTableWidgetItem* header = m_listGroups->horizontalHeaderItem(kValue);
    const QString headerText = QString::fromUtf8(kValueHeader)
        + (factor ? QString() : QString::fromUtf8(kFactorInvalid));
    if (header && header->text() != headerText)
        header->setText(headerText);

    const int rows = static_cast<int>(m_groups.size());
    m_listGroups->setRowCount(rows);
    std::vector<std::optional<double>> values;
    values.reserve(m_groups.size());
    // Every cell is written with the model quiet, then the change is told
    // once: cell by cell, an accessibility client hears each of thousands.
    QAbstractItemModel* model = m_listGroups->model();
    {
        const QSignalBlocker quiet(model);
        for (int row = 0; row < rows; ++row) {
            const EvalGroup& g = m_groups[static_cast<size_t>(row)];
            QString valueText;
            std::optional<double> mpa;
            if (factor) {
                const GroupResult r = EvaluateGroup(g, *factor);
                valueText = r.value ? Q(ReportUnits(*r.value, 1)) : QStringLiteral("无效");
                if (r.value)
                    mpa = Mpa(*r.value, 1);
            }
            const QString texts[] = { QString::number(row + 1), StrengthsText(g), valueText };
            for (int column = 0; column < 3; ++column) {
                QTableWidgetItem* item = m_listGroups->item(row, column);
                if (!item) {
                    item = new QTableWidgetItem;
                    item->setTextAlignment(Qt::AlignCenter);
                    m_listGroups->setItem(row, column, item);
                }
                item->setText(texts[column]);
            }
            values.push_back(mpa);
        }
    }
    if (rows > 0)
        Q_EMIT model->dataChanged(model->index(0, 0), model->index(rows - 1, 2));
    m_pChart->setData(values, Mpa(fcuK(), 1),
        m_minLimit ? std::optional<double>(Mpa(*m_minLimit, 2)) : std::nullopt);
    m_pChart->setFactorValid(factor.has_value());
}

void CEvaluateDlg::clearResults()
{
    for (int id : { IDC_EVAL_COUNT, IDC_EVAL_MEAN, IDC_EVAL_SD, IDC_EVAL_MIN, IDC_EVAL_VERDICT })
        edit(id)->clear();
    if (m_minLimit) {
        m_minLimit.reset();
        refreshGroups();
    }
}

EvaluationInputs CEvaluateDlg::inputs() const
{
    EvaluationInputs in;
    const int grade = std::clamp(m_cbGrade->currentIndex(), 0, int(kEvalGrades.size()) - 1);
    in.gradeText = kEvalGrades[static_cast<size_t>(grade)].text;
    in.fcuK = kEvalGrades[static_cast<size_t>(grade)].fcuK;
    in.method = static_cast<EvalMethod>(std::clamp(m_cbMethod->currentIndex(), 0, 3));
    in.size = size();
    in.sizeNotice = false; // shown when the size was chosen
    in.groups = m_groups;
    if (in.method == EvalMethod::Known)
        in.sigma0 = ParseUnits(edit(IDC_EVAL_SIGMA0)->text().toStdString(), 2).value_or(0);
    in.factor = ParseUnits(edit(IDC_EVAL_FACTOR)->text().toStdString(), 2)
                    .value_or(SizeFactorUnits(in.size));
    return in;
}

void CEvaluateDlg::load(const EvaluationInputs& in)
{
    for (size_t i = 0; i < kEvalGrades.size(); ++i) {
        if (kEvalGrades[i].fcuK == in.fcuK)
            m_cbGrade->setCurrentIndex(static_cast<int>(i));
    }
    m_cbMethod->setCurrentIndex(static_cast<int>(in.method));
    m_cbSize->setCurrentIndex(static_cast<int>(in.size));
    edit(IDC_EVAL_SIGMA0)->setEnabled(in.method == EvalMethod::Known);
    if (in.method == EvalMethod::Known)
        edit(IDC_EVAL_SIGMA0)->setText(Q(ReportUnits(in.sigma0, 2)));
    m_groups = in.groups;
    edit(IDC_EVAL_FACTOR)->setText(Q(ReportUnits(in.factor, 2)));
    clearResults();
    refreshGroups();
}

void CEvaluateDlg::OnEvaluate()
{
    EvaluationInputs in = inputs();
    if (in.method == EvalMethod::Known) {
        const auto sigma0 = readUnits(IDC_EVAL_SIGMA0, 2);
        if (!sigma0)
            return;
        in.sigma0 = *sigma0;
    }
    const auto factor = readUnits(IDC_EVAL_FACTOR, 2);
    if (!factor)
        return;
    in.factor = *factor;

    const EvaluationOutcome out = Evaluate(in);
    showMessages(out.messages);
    if (out.stopped) {
        if (in.factor < 50 || in.factor > 150) // the first check of all
            focusBox(edit(IDC_EVAL_FACTOR));
        return;
    }

    edit(IDC_EVAL_COUNT)->setText(QString::number(out.n));
    edit(IDC_EVAL_MEAN)->setText(Q(ReportUnits(*out.mean, 1)));
    edit(IDC_EVAL_SD)->setText(out.sd ? Q(ReportUnits(*out.sd, 2)) : QString());
    edit(IDC_EVAL_MIN)->setText(Q(ReportUnits(*out.min, 1)));
    QLineEdit* verdict = edit(IDC_EVAL_VERDICT);
    verdict->setText(QString::fromUtf8(out.passed ? kPassed : kFailed));
    QPalette palette = verdict->palette();
    palette.setColor(QPalette::Text, out.passed ? QColor(0, 120, 0) : QColor(200, 0, 0));
    verdict->setPalette(palette);
    m_minLimit = out.minLimit;
    refreshGroups();
    handOn(out.report);
}
