#pragma once

#include "ipa/candidatemode.h"

#include <QObject>
#include <QSet>
#include <functional>

class QLineEdit;

// What an IPA entry field needs from the window that holds it.
struct IpaFieldHost {
    // Redraws the window's IPA pad from the candidate slots (the pad's DispArrIPA).
    std::function<void()> dispArrIPA;
    // Inserts a picked symbol into the field (the window's OutputIPAString). When unset, the
    // symbol goes in with InsertIpaText.
    std::function<void(const QString &)> outputIPAString;
};

// Applies the candidate-mode rules to the key presses of one line edit: a key the rules
// consume never reaches the field, neither its press nor its release; every other key does.
class IpaCandidateFilter : public QObject {
    Q_OBJECT

public:
    IpaCandidateFilter(QLineEdit *field, IpaFieldHost host);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_field;
    IpaFieldHost m_host;
    CandidateMode m_mode;
    // Keys whose press was consumed and whose release is still to come.
    QSet<int> m_consumedKeys;
};

// Makes `field` an IPA entry field; the filter lives as long as the field.
IpaCandidateFilter *installIpaCandidates(QLineEdit *field, IpaFieldHost host);

// Replaces the field's selection by `text`, focuses the field and leaves the caret right
// after the inserted text.
void InsertIpaText(QLineEdit *field, const QString &text);
