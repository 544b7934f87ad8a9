#include "Fichier.h"
#include "Fichier_Commun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace Sous_Programmes {

namespace {

QByteArray Local(const QString &chemin) { return QFile::encodeName(chemin); }

// Closes the descriptor it holds on every way out.
class Descripteur {
public:
    explicit Descripteur(int fd) : m_fd(fd) {}
    ~Descripteur() { if (m_fd >= 0) ::close(m_fd); }
    Descripteur(const Descripteur &) = delete;
    Descripteur &operator=(const Descripteur &) = delete;
    int fd() const { return m_fd; }
    bool valide() const { return m_fd >= 0; }
    // close() reports delayed write errors; they must not be lost.
    int ferme() { int r = ::close(m_fd); m_fd = -1; return r; }
    int cede() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

int Ouvre(const QByteArray &chemin, int drapeaux, mode_t mode = 0)
{
    int fd;
    do {
        fd = ::open(chemin.constData(), drapeaux | O_CLOEXEC, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

bool Ecrit_Tout(int fd, const Morceaux &morceaux)
{
    std::vector<iovec> vecteurs;
    vecteurs.reserve(morceaux.size());
    for (QByteArrayView m : morceaux) {
        if (!m.isEmpty())
            vecteurs.push_back({const_cast<char *>(m.data()), size_t(m.size())});
    }
    size_t premier = 0;
    while (premier < vecteurs.size()) {
        const int nombre = int(qMin<size_t>(vecteurs.size() - premier, IOV_MAX));
        ssize_t n = ::writev(fd, vecteurs.data() + premier, nombre);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        // Skip what went out; a piece written in part is resumed where it stopped.
        while (n > 0 && premier < vecteurs.size()) {
            iovec &v = vecteurs[premier];
            if (size_t(n) >= v.iov_len) {
                n -= ssize_t(v.iov_len);
                ++premier;
            } else {
                v.iov_base = static_cast<char *>(v.iov_base) + n;
                v.iov_len -= size_t(n);
                n = 0;
            }
        }
    }
    return true;
}

bool Ecrit_Tout(int fd, QByteArrayView octets) { return Ecrit_Tout(fd, Morceaux{octets}); }

void Retablit_Taille(int fd, off_t taille)
{
    // Should even this fail, the error already being told stands.
    if (::ftruncate(fd, taille) != 0)
        return;
}

void Synchronise_Dossier(const QString &chemin)
{
    int fd = Ouvre(Local(QFileInfo(chemin).absolutePath()), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// A pipe, a device or a folder under a log's name is never opened: opening
// a pipe blocks, opening a device may act on it.
Statut Refuse_Non_Ordinaire(const QString &chemin, mode_t mode)
{
    if (S_ISREG(mode))
        return Succes();
    const QString nature = S_ISDIR(mode)    ? QStringLiteral("c'est un dossier")
                         : S_ISFIFO(mode)   ? QStringLiteral("c'est un tube nommé")
                         : S_ISCHR(mode) || S_ISBLK(mode) ? QStringLiteral("c'est un périphérique")
                         : S_ISSOCK(mode)   ? QStringLiteral("c'est une prise réseau (socket)")
                                            : QStringLiteral("type inconnu");
    return Messages_Fichier::Non_Ordinaire(chemin, nature);
}

} // namespace

QString Raison_Systeme(int numero)
{
    switch (numero) {
    case ENOENT: return QStringLiteral("fichier ou dossier introuvable");
    case EACCES:
    case EPERM: return QStringLiteral("accès refusé");
    case EROFS: return QStringLiteral("le dossier est en lecture seule");
    case ENOSPC: return QStringLiteral("le disque est plein");
    case EDQUOT: return QStringLiteral("le quota du disque est atteint");
    case EIO: return QStringLiteral("erreur d'entrée-sortie du disque");
    case EISDIR: return QStringLiteral("c'est un dossier, pas un fichier");
    case ENOTDIR: return QStringLiteral("le dossier n'existe pas");
    case EMFILE:
    case ENFILE: return QStringLiteral("trop de fichiers ouverts");
    case ENAMETOOLONG: return QStringLiteral("nom de fichier trop long");
    case EFBIG: return QStringLiteral("fichier trop grand");
    default: return QStringLiteral("erreur système n° %1").arg(numero);
    }
}

namespace {

// Opens a regular file for reading; `st` gets what it is.
Resultat<int> Ouvre_En_Lecture(const QString &chemin, struct stat &st, bool *introuvable)
{
    if (introuvable)
        *introuvable = false;
    auto impossible = [&](int e) {
        if (e == ENOENT) {
            if (introuvable)
                *introuvable = true;
            return Messages_Fichier::Introuvable(chemin);
        }
        return Messages_Fichier::Non_Ouvert(chemin, Raison_Systeme(e));
    };
    const QByteArray local = Local(chemin);
    if (::stat(local.constData(), &st) != 0)
        return impossible(errno);
    if (auto s = Refuse_Non_Ordinaire(chemin, st.st_mode); !s)
        return Erreur{s.erreur()};
    // O_NONBLOCK: should a pipe take the file's place meanwhile, the open
    // still returns, and the check below refuses it.
    Descripteur f(Ouvre(local, O_RDONLY | O_NONBLOCK));
    if (!f.valide())
        return impossible(errno);
    if (::fstat(f.fd(), &st) != 0)
        return Messages_Fichier::Non_Lu(chemin, Raison_Systeme(errno));
    if (auto s = Refuse_Non_Ordinaire(chemin, st.st_mode); !s)
        return Erreur{s.erreur()};
    return f.cede();
}

} // namespace

Resultat<Fichier_Ouvert> Fichier_Ouvert::Ouvre(const QString &chemin, bool *introuvable)
{
    struct stat st {};
    const auto fd = Ouvre_En_Lecture(chemin, st, introuvable);
    if (!fd)
        return Erreur{fd.erreur()};
    return Fichier_Ouvert(fd.valeur(), qint64(st.st_size), chemin);
}

Fichier_Ouvert::Fichier_Ouvert(Fichier_Ouvert &&autre) noexcept
    : m_fd(std::exchange(autre.m_fd, -1)), m_taille(autre.m_taille), m_position(autre.m_position),
      m_chemin(std::move(autre.m_chemin))
{
}

Fichier_Ouvert &Fichier_Ouvert::operator=(Fichier_Ouvert &&autre) noexcept
{
    if (this != &autre) {
        if (m_fd >= 0)
            ::close(int(m_fd));
        m_fd = std::exchange(autre.m_fd, -1);
        m_taille = autre.m_taille;
        m_position = autre.m_position;
        m_chemin = std::move(autre.m_chemin);
    }
    return *this;
}

Fichier_Ouvert::~Fichier_Ouvert()
{
    if (m_fd >= 0)
        ::close(int(m_fd));
}

Resultat<qsizetype> Fichier_Ouvert::lit(char *destination, qsizetype nombre)
{
    ssize_t n;
    do {
        n = ::pread(int(m_fd), destination, size_t(nombre), off_t(m_position));
    } while (n < 0 && errno == EINTR);
    if (n < 0)
        return Messages_Fichier::Non_Lu(m_chemin, Raison_Systeme(errno));
    m_position += n;
    return qsizetype(n);
}

Statut Reecrit_Fichier(const QString &chemin, const QString &nom_temporaire, const Morceaux &contenu, Si_Absent creation)
{
    const QString temporaire = QFileInfo(chemin).absoluteDir().filePath(nom_temporaire);
    const QByteArray local = Local(chemin);
    const QByteArray local_temporaire = Local(temporaire);
    bool existe = true;
    auto echec = [&](int e) {
        ::unlink(local_temporaire.constData());
        if (!existe)
            return Messages_Fichier::Non_Ecrit(chemin, Raison_Systeme(e));
        return Messages_Fichier::Non_Reecrit(chemin, Raison_Systeme(e));
    };

    struct stat st {};
    if (::stat(local.constData(), &st) != 0) {
        const int e = errno;
        if (e != ENOENT)
            return echec(e);
        if (creation == Si_Absent::Erreur)
            return Messages_Fichier::Introuvable(chemin);
        existe = false;
    } else if (auto s = Refuse_Non_Ordinaire(chemin, st.st_mode); !s) {
        return s;
    }

    // A leftover of an interrupted rewrite is ours to replace; O_EXCL then
    // guarantees we never write through a link planted under that name.
    if (::unlink(local_temporaire.constData()) != 0 && errno != ENOENT)
        return echec(errno);
    Descripteur f(Ouvre(local_temporaire, O_WRONLY | O_CREAT | O_EXCL, existe ? 0600 : 0666));
    if (!f.valide())
        return echec(errno);
    if (!Ecrit_Tout(f.fd(), contenu))
        return echec(errno);
    if (existe && ::fchmod(f.fd(), st.st_mode & 07777) != 0)
        return echec(errno);
    if (::fsync(f.fd()) != 0)
        return echec(errno);
    if (f.ferme() != 0)
        return echec(errno);
    if (::rename(local_temporaire.constData(), local.constData()) != 0)
        return echec(errno);
    Synchronise_Dossier(chemin);
    return Succes();
}

Statut Ajoute_Fichier(const QString &chemin, QByteArrayView ligne)
{
    auto echec = [&](int e) {
        return Messages_Fichier::Ligne_Non_Ajoutee(chemin, Raison_Systeme(e));
    };
    const QByteArray local = Local(chemin);
    struct stat st {};
    if (::stat(local.constData(), &st) == 0) {
        if (auto s = Refuse_Non_Ordinaire(chemin, st.st_mode); !s)
            return s;
    }
    Descripteur f(Ouvre(local, O_RDWR | O_APPEND | O_CREAT | O_NONBLOCK, 0666));
    if (!f.valide())
        return echec(errno);
    if (::fstat(f.fd(), &st) != 0)
        return echec(errno);
    if (auto s = Refuse_Non_Ordinaire(chemin, st.st_mode); !s)
        return s;

    char dernier = 0;
    if (st.st_size > 0 && ::pread(f.fd(), &dernier, 1, st.st_size - 1) != 1)
        return echec(errno ? errno : EIO);
    QByteArray a_ecrire = Debut_Ajout(st.st_size == 0, dernier);
    a_ecrire.append(ligne);
    // One write: the line is there whole or not at all.
    // A line not known to be on disk is taken back rather than left half there.
    if (!Ecrit_Tout(f.fd(), a_ecrire) || ::fdatasync(f.fd()) != 0) {
        const int e = errno;
        Retablit_Taille(f.fd(), st.st_size);
        return echec(e);
    }
    if (f.ferme() != 0)
        return echec(errno);
    return Succes();
}

Resultat<Creation> Cree_Fichier_Exclusif(const QString &chemin, QByteArrayView contenu)
{
    const QByteArray local = Local(chemin);
    Descripteur f(Ouvre(local, O_WRONLY | O_CREAT | O_EXCL, 0666));
    if (!f.valide()) {
        if (errno == EEXIST)
            return Creation::Existant;
        return Messages_Fichier::Non_Cree(chemin, Raison_Systeme(errno));
    }
    if (!Ecrit_Tout(f.fd(), contenu) || ::fsync(f.fd()) != 0 || f.ferme() != 0) {
        const int e = errno;
        ::unlink(local.constData()); // our own, just made: nothing of the operator's is lost
        return Messages_Fichier::Non_Cree(chemin, Raison_Systeme(e));
    }
    Synchronise_Dossier(chemin);
    return Creation::Cree;
}

Statut Ecrit_Temporaire(const QString &temporaire, QByteArrayView contenu)
{
    const QByteArray local = Local(temporaire);
    auto echec = [&](int e) {
        ::unlink(local.constData());
        return Messages_Fichier::Non_Ecrit(temporaire, Raison_Systeme(e));
    };
    // O_EXCL after the unlink: never written through a link planted there.
    if (::unlink(local.constData()) != 0 && errno != ENOENT)
        return echec(errno);
    Descripteur f(Ouvre(local, O_WRONLY | O_CREAT | O_EXCL, 0666));
    if (!f.valide())
        return echec(errno);
    if (!Ecrit_Tout(f.fd(), contenu) || ::fsync(f.fd()) != 0 || f.ferme() != 0)
        return echec(errno);
    return Succes();
}

bool Meme_Fichier(const QString &a, const QString &b)
{
    struct stat sa {};
    struct stat sb {};
    return ::stat(Local(a).constData(), &sa) == 0 && ::stat(Local(b).constData(), &sb) == 0 && sa.st_dev == sb.st_dev
        && sa.st_ino == sb.st_ino;
}

Resultat<Creation> Renomme_Sans_Remplacer(const QString &de, const QString &vers)
{
    const QByteArray source = Local(de);
    const QByteArray cible = Local(vers);
    auto echec = [&](int e) {
        return Messages_Fichier::Non_Cree(vers, Raison_Systeme(e));
    };
    int r = ::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, cible.constData(), RENAME_NOREPLACE);
    if (r != 0 && (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP)) {
        // A file system without that flag: a hard link does not replace either.
        r = ::link(source.constData(), cible.constData());
        if (r == 0) {
            ::unlink(source.constData());
        } else if (errno == EPERM || errno == ENOTSUP || errno == EOPNOTSUPP) {
            // Nor links (FAT): one program writes these names, look then rename.
            struct stat st {};
            if (::lstat(cible.constData(), &st) == 0)
                return Creation::Existant;
            r = ::rename(source.constData(), cible.constData());
        }
    }
    if (r != 0)
        return errno == EEXIST ? Resultat<Creation>(Creation::Existant) : Resultat<Creation>(echec(errno));
    Synchronise_Dossier(vers);
    return Creation::Cree;
}

} // namespace Sous_Programmes
