// The file layer on Windows: the same guarantees as on Linux, in Win32 terms.
#include "Fichier.h"
#include "Fichier_Commun.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>

#include <string>
#include <utility>

namespace Sous_Programmes {

namespace {

std::wstring Large(const QString &chemin) { return QDir::toNativeSeparators(QFileInfo(chemin).absoluteFilePath()).toStdWString(); }

// Closes the handle it holds on every way out.
class Poignee {
public:
    explicit Poignee(HANDLE h) : m_h(h) {}
    ~Poignee()
    {
        if (valide())
            ::CloseHandle(m_h);
    }
    Poignee(const Poignee &) = delete;
    Poignee &operator=(const Poignee &) = delete;
    HANDLE h() const { return m_h; }
    bool valide() const { return m_h != INVALID_HANDLE_VALUE && m_h != nullptr; }
    // CloseHandle may report a delayed write error: it must not be lost.
    bool ferme() { return ::CloseHandle(std::exchange(m_h, INVALID_HANDLE_VALUE)) != 0; }
    HANDLE cede() { return std::exchange(m_h, INVALID_HANDLE_VALUE); }

private:
    HANDLE m_h;
};

int Derniere() { return int(::GetLastError()); }

bool Ecrit_Tout(HANDLE h, const Morceaux &morceaux)
{
    for (QByteArrayView m : morceaux) {
        qsizetype fait = 0;
        while (fait < m.size()) {
            const DWORD voulu = DWORD(qMin<qsizetype>(m.size() - fait, 1 << 30));
            DWORD ecrit = 0;
            if (!::WriteFile(h, m.data() + fait, voulu, &ecrit, nullptr))
                return false;
            if (ecrit == 0) {
                ::SetLastError(ERROR_WRITE_FAULT);
                return false;
            }
            fait += ecrit;
        }
    }
    return true;
}

// A pipe, a device, a folder or a link under a log's name is never opened
// for writing nor read as a log.
Statut Refuse_Non_Ordinaire(const QString &chemin, DWORD attributs, DWORD type)
{
    QString nature;
    if (attributs & FILE_ATTRIBUTE_DIRECTORY)
        nature = QStringLiteral("c'est un dossier");
    else if (attributs & FILE_ATTRIBUTE_REPARSE_POINT)
        nature = QStringLiteral("c'est un lien ou un point de jonction");
    else if (type == FILE_TYPE_PIPE)
        nature = QStringLiteral("c'est un tube nommé");
    else if (type == FILE_TYPE_CHAR)
        nature = QStringLiteral("c'est un périphérique");
    else if (type != FILE_TYPE_DISK)
        nature = QStringLiteral("type inconnu");
    if (nature.isEmpty())
        return Succes();
    return Messages_Fichier::Non_Ordinaire(chemin, nature);
}

// What a name holds, looked at before anything opens it: a device name such
// as NUL answers as a device.
Statut Refuse_Avant_Ouverture(const QString &chemin, bool *absent = nullptr)
{
    if (absent)
        *absent = false;
    const std::wstring nom = Large(chemin);
    const DWORD attributs = ::GetFileAttributesW(nom.c_str());
    if (attributs == INVALID_FILE_ATTRIBUTES) {
        if (absent)
            *absent = true;
        return Succes();
    }
    return Refuse_Non_Ordinaire(chemin, attributs, FILE_TYPE_DISK);
}

// Checks an open handle again: what it reached may differ from what was looked at.
Statut Refuse_Ouvert(const QString &chemin, HANDLE h)
{
    BY_HANDLE_FILE_INFORMATION info{};
    const DWORD type = ::GetFileType(h);
    if (type != FILE_TYPE_DISK)
        return Refuse_Non_Ordinaire(chemin, 0, type);
    if (!::GetFileInformationByHandle(h, &info))
        return Messages_Fichier::Non_Lu(chemin, Raison_Systeme(Derniere()));
    return Refuse_Non_Ordinaire(chemin, info.dwFileAttributes, type);
}

HANDLE Ouvre(const QString &chemin, DWORD acces, DWORD creation, DWORD drapeaux = FILE_ATTRIBUTE_NORMAL)
{
    return ::CreateFileW(Large(chemin).c_str(), acces, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         creation, drapeaux | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

Resultat<HANDLE> Ouvre_En_Lecture(const QString &chemin, bool *introuvable)
{
    if (introuvable)
        *introuvable = false;
    bool absent = false;
    if (auto s = Refuse_Avant_Ouverture(chemin, &absent); !s)
        return Erreur{s.erreur()};
    Poignee f(Ouvre(chemin, GENERIC_READ, OPEN_EXISTING));
    if (!f.valide()) {
        const int e = Derniere();
        if (e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND) {
            if (introuvable)
                *introuvable = true;
            return Messages_Fichier::Introuvable(chemin);
        }
        return Messages_Fichier::Non_Ouvert(chemin, Raison_Systeme(e));
    }
    if (auto s = Refuse_Ouvert(chemin, f.h()); !s)
        return Erreur{s.erreur()};
    return f.cede();
}

// Reads at `position` without moving a shared file pointer.
bool Lit_A(HANDLE h, qint64 position, char *destination, DWORD nombre, DWORD *lus)
{
    OVERLAPPED o{};
    o.Offset = DWORD(quint64(position) & 0xFFFFFFFFu);
    o.OffsetHigh = DWORD(quint64(position) >> 32);
    *lus = 0;
    if (::ReadFile(h, destination, nombre, lus, &o))
        return true;
    return ::GetLastError() == ERROR_HANDLE_EOF;
}

qint64 Taille(HANDLE h)
{
    LARGE_INTEGER t{};
    return ::GetFileSizeEx(h, &t) ? qint64(t.QuadPart) : -1;
}

} // namespace

QString Raison_Systeme(int numero)
{
    switch (DWORD(numero)) {
    case ERROR_FILE_NOT_FOUND: return QStringLiteral("fichier introuvable");
    case ERROR_PATH_NOT_FOUND: return QStringLiteral("le dossier n'existe pas");
    case ERROR_ACCESS_DENIED: return QStringLiteral("accès refusé");
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return QStringLiteral("le fichier est ouvert par un autre programme");
    case ERROR_WRITE_PROTECT: return QStringLiteral("le disque est protégé en écriture");
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return QStringLiteral("le disque est plein");
    case ERROR_FILENAME_EXCED_RANGE: return QStringLiteral("nom de fichier trop long");
    case ERROR_TOO_MANY_OPEN_FILES: return QStringLiteral("trop de fichiers ouverts");
    case ERROR_DIRECTORY: return QStringLiteral("c'est un dossier, pas un fichier");
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT: return QStringLiteral("erreur d'entrée-sortie du disque");
    default: return QStringLiteral("erreur système n° %1").arg(numero);
    }
}

Resultat<Fichier_Ouvert> Fichier_Ouvert::Ouvre(const QString &chemin, bool *introuvable)
{
    const auto h = Ouvre_En_Lecture(chemin, introuvable);
    if (!h)
        return Erreur{h.erreur()};
    return Fichier_Ouvert(qintptr(h.valeur()), Taille(h.valeur()), chemin);
}

Fichier_Ouvert::Fichier_Ouvert(Fichier_Ouvert &&autre) noexcept
    : m_fd(std::exchange(autre.m_fd, -1)), m_taille(autre.m_taille), m_position(autre.m_position),
      m_chemin(std::move(autre.m_chemin))
{
}

Fichier_Ouvert &Fichier_Ouvert::operator=(Fichier_Ouvert &&autre) noexcept
{
    if (this != &autre) {
        Poignee ancienne{HANDLE(std::exchange(m_fd, std::exchange(autre.m_fd, -1)))};
        m_taille = autre.m_taille;
        m_position = autre.m_position;
        m_chemin = std::move(autre.m_chemin);
    }
    return *this;
}

Fichier_Ouvert::~Fichier_Ouvert() { Poignee fermee{HANDLE(m_fd)}; }

Resultat<qsizetype> Fichier_Ouvert::lit(char *destination, qsizetype nombre)
{
    DWORD lus = 0;
    if (!Lit_A(HANDLE(m_fd), m_position, destination, DWORD(qMin<qsizetype>(nombre, 1 << 30)), &lus))
        return Messages_Fichier::Non_Lu(m_chemin, Raison_Systeme(Derniere()));
    m_position += lus;
    return qsizetype(lus);
}

Statut Reecrit_Fichier(const QString &chemin, const QString &nom_temporaire, const Morceaux &contenu, Si_Absent creation)
{
    const QString temporaire = QFileInfo(chemin).absoluteDir().filePath(nom_temporaire);
    bool absent = false;
    if (auto s = Refuse_Avant_Ouverture(chemin, &absent); !s)
        return s;
    if (absent && creation == Si_Absent::Erreur)
        return Messages_Fichier::Introuvable(chemin);
    auto echec = [&](int e) {
        ::DeleteFileW(Large(temporaire).c_str());
        return absent ? Messages_Fichier::Non_Ecrit(chemin, Raison_Systeme(e)) : Messages_Fichier::Non_Reecrit(chemin, Raison_Systeme(e));
    };
    // A leftover of an interrupted rewrite is ours to replace; CREATE_NEW
    // then never writes through something planted under that name.
    if (!::DeleteFileW(Large(temporaire).c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND)
        return echec(Derniere());
    Poignee f(Ouvre(temporaire, GENERIC_WRITE, CREATE_NEW));
    if (!f.valide())
        return echec(Derniere());
    if (!Ecrit_Tout(f.h(), contenu) || !::FlushFileBuffers(f.h()))
        return echec(Derniere());
    if (!f.ferme())
        return echec(Derniere());
    // One rename, written through: after a power cut the log is the old one
    // or the new one, never a part.
    if (!::MoveFileExW(Large(temporaire).c_str(), Large(chemin).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return echec(Derniere());
    return Succes();
}

Statut Ajoute_Fichier(const QString &chemin, QByteArrayView ligne)
{
    auto echec = [&](int e) { return Messages_Fichier::Ligne_Non_Ajoutee(chemin, Raison_Systeme(e)); };
    if (auto s = Refuse_Avant_Ouverture(chemin); !s)
        return s;
    Poignee f(Ouvre(chemin, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS));
    if (!f.valide())
        return echec(Derniere());
    if (auto s = Refuse_Ouvert(chemin, f.h()); !s)
        return s;
    const qint64 taille = Taille(f.h());
    if (taille < 0)
        return echec(Derniere());
    char dernier = 0;
    DWORD lus = 0;
    if (taille > 0 && (!Lit_A(f.h(), taille - 1, &dernier, 1, &lus) || lus != 1))
        return echec(lus == 1 ? Derniere() : int(ERROR_READ_FAULT));
    QByteArray a_ecrire = Debut_Ajout(taille == 0, dernier);
    a_ecrire.append(ligne);
    LARGE_INTEGER fin{};
    fin.QuadPart = taille;
    // One write at the end; a line not known to be on disk is taken back
    // rather than left half there.
    if (!::SetFilePointerEx(f.h(), fin, nullptr, FILE_BEGIN) || !Ecrit_Tout(f.h(), Morceaux{a_ecrire}) || !::FlushFileBuffers(f.h())) {
        const int e = Derniere();
        if (::SetFilePointerEx(f.h(), fin, nullptr, FILE_BEGIN))
            ::SetEndOfFile(f.h());
        return echec(e);
    }
    if (!f.ferme())
        return echec(Derniere());
    return Succes();
}

Resultat<Creation> Cree_Fichier_Exclusif(const QString &chemin, QByteArrayView contenu)
{
    Poignee f(Ouvre(chemin, GENERIC_WRITE, CREATE_NEW));
    if (!f.valide()) {
        const int e = Derniere();
        if (e == ERROR_FILE_EXISTS || e == ERROR_ALREADY_EXISTS)
            return Creation::Existant;
        return Messages_Fichier::Non_Cree(chemin, Raison_Systeme(e));
    }
    if (!Ecrit_Tout(f.h(), Morceaux{contenu}) || !::FlushFileBuffers(f.h()) || !f.ferme()) {
        const int e = Derniere();
        ::DeleteFileW(Large(chemin).c_str()); // our own, just made: nothing of the operator's is lost
        return Messages_Fichier::Non_Cree(chemin, Raison_Systeme(e));
    }
    return Creation::Cree;
}

Statut Ecrit_Temporaire(const QString &temporaire, QByteArrayView contenu)
{
    auto echec = [&](int e) {
        ::DeleteFileW(Large(temporaire).c_str());
        return Messages_Fichier::Non_Ecrit(temporaire, Raison_Systeme(e));
    };
    if (!::DeleteFileW(Large(temporaire).c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND)
        return echec(Derniere());
    Poignee f(Ouvre(temporaire, GENERIC_WRITE, CREATE_NEW));
    if (!f.valide())
        return echec(Derniere());
    if (!Ecrit_Tout(f.h(), Morceaux{contenu}) || !::FlushFileBuffers(f.h()) || !f.ferme())
        return echec(Derniere());
    return Succes();
}

bool Meme_Fichier(const QString &a, const QString &b)
{
    auto identite = [](const QString &chemin, BY_HANDLE_FILE_INFORMATION &info) {
        // Backup semantics lets a folder be opened just to be told apart.
        Poignee f(::CreateFileW(Large(chemin).c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        return f.valide() && ::GetFileInformationByHandle(f.h(), &info);
    };
    BY_HANDLE_FILE_INFORMATION ia{};
    BY_HANDLE_FILE_INFORMATION ib{};
    return identite(a, ia) && identite(b, ib) && ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber
        && ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

Resultat<Creation> Renomme_Sans_Remplacer(const QString &de, const QString &vers)
{
    // Without the replace flag, the rename fails on a name already taken.
    if (::MoveFileExW(Large(de).c_str(), Large(vers).c_str(), MOVEFILE_WRITE_THROUGH))
        return Creation::Cree;
    const int e = Derniere();
    if (e == ERROR_ALREADY_EXISTS || e == ERROR_FILE_EXISTS)
        return Creation::Existant;
    return Messages_Fichier::Non_Cree(vers, Raison_Systeme(e));
}

} // namespace Sous_Programmes
