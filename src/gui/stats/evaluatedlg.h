#pragma once

#include "common/calcform.h"
#include "stats/evaluation.h"

#include <optional>
#include <vector>

class CEvaluateChart;
class QComboBox;
class QLineEdit;
class QTableWidget;

// The strength acceptance evaluation (template 155). Groups are typed one
// line at a time (Enter, Enter adds) or pasted several lines at once; 评定
// evaluates them, shows the results and the chart, and hands the report on.
class CEvaluateDlg : public CCalcFormOf<EvaluationInputs>
{
    Q_OBJECT

public:
    explicit CEvaluateDlg(QWidget* pParent);

    // The selections, the groups and the boxes as they stand; a box without
    // a number gives the value its list would fill in (σ0 none).
    EvaluationInputs inputs() const override;
    void load(const EvaluationInputs& in) override;

    const std::vector<EvalGroup>& groups() const { return m_groups; }
    CEvaluateChart* chart() const { return m_pChart; }

    // Adds the groups of a block of lines, all of them or, after saying
    // which line is wrong, none.
    bool pasteBlock(const QString& text);

public Q_SLOTS:
    void OnAdd();
    void OnDelete();
    void OnPaste(); // the clipboard as a block
    void OnSelendokGrade();
    void OnSelendokMethod();
    void OnSelendokSize();
    void OnEvaluate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnInitDialog();
    void pasteIntoBox(); // Ctrl+V in the input box
    void addGroups(const std::vector<EvalGroup>& groups);
    void refreshGroups(); // the value column and the chart, with the factor now in its box
    void clearResults();
    void showSizeNotice();
    std::int64_t fcuK() const;
    SpecimenSize size() const;
    // The box's factor when it is a valid one; without one the list and the
    // chart show no values rather than values by another factor.
    std::optional<std::int64_t> shownFactor() const;

    QLineEdit* m_editInput = nullptr; // 1200
    QTableWidget* m_listGroups = nullptr; // 1204
    QComboBox* m_cbGrade = nullptr; // 1205
    QComboBox* m_cbMethod = nullptr; // 1206
    QComboBox* m_cbSize = nullptr; // 1208
    CEvaluateChart* m_pChart = nullptr; // over 1216
    std::vector<EvalGroup> m_groups; // the rows of the list, in order
    std::optional<std::int64_t> m_minLimit; // of the last evaluation, 0.01 MPa
};
