#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

// The IPA candidate table and the process-wide candidate slots (Sys.arrIPA, Sys.SeleIndex).
// A key is one UTF-16 code unit; only its exact code unit matches (`A` is a key, `a` is not).

inline constexpr int IpaSlotCount = 10;

// The candidates of `key`, slot 1 first, one code unit each; empty for a key without
// candidates (`Q`) and for every character outside the table.
QStringView CandidatesOf(QChar key);

// True for the 31 characters that switch candidate mode on: / : @ A-Z [ ].
bool IsTrigger(QChar ch);

// The 31 trigger characters in code order.
QString TriggerSet();

// True when the first character of `key` has at least one candidate; false for an empty key.
bool CheckIPA(QStringView key);

// Clears the slots and the selection, then fills the slots with the candidates of the first
// character of `key` and selects the first one, if there is one.
void SetArrIPA(QStringView key);

// Clears the slots and the selection.
void InitArrIPA();

// The number of filled slots.
int GetCandMax();
