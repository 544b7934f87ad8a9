#pragma once

#include <QElapsedTimer>
#include <QProgressDialog>

// A long piece of work told as it goes: a progress dialog in French that
// shows once the work has lasted `delai_ms`, and whose "Annuler" stops it.
// While it runs, the windows keep repainting.
class Progression {
public:
    Progression(QWidget *parent, const QString &nom_objet, const QString &texte, int delai_ms = 400);

    // Where the work is; false once the operator has cancelled.
    bool Avance(qint64 fait, qint64 total);

private:
    QProgressDialog m_dialogue;
    QElapsedTimer m_derniere;
};
