#pragma once

#include "Ligne_QSO.h"

#include <QByteArray>
#include <QDate>
#include <QList>

// The lines the crash test's writer moves a log between: A, A with line
// 5001 changed (B), A with one QSO inserted by date (C).
namespace Log_Crash {

inline constexpr int Nombre_Lignes = 10000;
inline constexpr int Ligne_Changee = 5000;
inline constexpr int Place_Insertion = 6000;
inline const QByteArray DMF_Insere("99999");

inline QByteArray Ligne_A(int i, const char *type = "Moulin Contacte")
{
    const QByteArray date = QDate(2007, 1, 1).addDays(i / 30).toString(QStringLiteral("dd/MM/yy")).toLatin1();
    const QByteArray dmf = QByteArray::number(10000 + i);
    QByteArray l = date + "  " + dmf + "  " + QByteArray(type).leftJustified(22, ' ') + "  "
        + ("F" + QByteArray::number(i)).leftJustified(12, ' ');
    return l;
}

inline QByteArray Ligne_B() { return Ligne_A(Ligne_Changee, "Moulin active"); }

inline QByteArray Ligne_Inseree()
{
    QByteArray l = Ligne_A(Place_Insertion, "Resident active");
    l.replace(10, 5, DMF_Insere);
    return l;
}

inline QList<QByteArray> Lignes_A()
{
    QList<QByteArray> lignes;
    for (int i = 0; i < Nombre_Lignes; ++i)
        lignes << Ligne_A(i);
    return lignes;
}

} // namespace Log_Crash
