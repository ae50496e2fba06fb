#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace quorvane {

class ModelBlock;
class SuggestionList;
class SwapSession;

// The review step: every value found with its stand-in and a tick box, the
// notes, the suggestions, the model block and "Missed something?".
class SwapReviewPage : public QWidget
{
    Q_OBJECT

public:
    explicit SwapReviewPage(SwapSession &session, QWidget *parent = nullptr);

    void refresh();

    QListWidget *items() const { return m_items; }
    QLabel *freeTextNote() const { return m_freeText; }
    QLabel *conflictsNote() const { return m_conflicts; }
    SuggestionList *suggestions() const { return m_suggestions; }
    ModelBlock *modelBlock() const { return m_model; }
    QLineEdit *extraTerm() const { return m_term; }
    QComboBox *extraKind() const { return m_termKind; }
    QPushButton *addTermButton() const { return m_addTerm; }
    QPushButton *backButton() const { return m_back; }
    QPushButton *swapButton() const { return m_swap; }
    QLabel *countLine() const { return m_count; }

private:
    void fillItems();
    void syncTicks();
    void itemToggled(QListWidgetItem *item);
    void addTerm();

    SwapSession &m_session;
    QListWidget *m_items;
    QLabel *m_freeText;
    QLabel *m_conflicts;
    SuggestionList *m_suggestions;
    ModelBlock *m_model;
    QLineEdit *m_term;
    QComboBox *m_termKind;
    QPushButton *m_addTerm;
    QPushButton *m_back;
    QLabel *m_count;
    QPushButton *m_swap;
};

} // namespace quorvane
