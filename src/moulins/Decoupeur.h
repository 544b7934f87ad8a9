#pragma once

#include <QByteArrayView>
#include <QtGlobal>
#include <algorithm>
#include <bit>
#include <vector>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

// The cutting of a list's bytes into records and fields, for its reader alone.
namespace Moulins::Csv {

// A field of a record as it lies in the file.
struct Brut {
    qsizetype debut = 0, fin = 0;
    bool guillemets = false; // in quotes: kept as it is, blanks included
    bool transforme = false; // doubled quotes or line ends inside, to be undone
    bool controle = false;   // a control byte inside
};

// The file's records, one at a time, by the usual CSV rules: a field in
// double quotes may hold separators, line ends and doubled quotes.
class Decoupeur {
public:
    Decoupeur(QByteArrayView octets, char separateur, qsizetype debut = 0)
        : m_d(octets.data()), m_n(octets.size()), m_separateur(separateur), m_p(debut)
    {
    }

    // Where the next record begins, and its line.
    qsizetype position() const { return m_p; }
    qsizetype ligne() const { return m_ligne; }

    // The bytes of the last record's longest field.
    qsizetype plus_long() const { return m_plus_long; }
    // The next record's fields and the line it starts on; false at the end.
    bool suivant(std::vector<Brut> &champs, qsizetype &ligne)
    {
        champs.clear();
        ligne = m_ligne;
        if (m_p >= m_n) {
            m_plus_long = 0;
            return false;
        }
        // Kept in locals: the compiler cannot tell that `champs` is not this.
        Blocs b = m_blocs;
        qsizetype p = m_p, plus_long = 0;
        if (rapide(champs, b, p, plus_long)) {
            m_blocs = b;
            m_p = p;
            m_plus_long = plus_long;
            ++m_ligne;
            return true;
        }
        for (;;) {
            Brut c;
            if (m_d[p] == '"') {
                qsizetype q = p + 1;
                for (; (q = b.prochain(q, *this)) < m_n; ++q) {
                    const char x = m_d[q];
                    if (x == '"') {
                        if (q + 1 < m_n && m_d[q + 1] == '"') {
                            c.transforme = true;
                            ++q;
                            continue;
                        }
                        break;
                    }
                    if (x == '\n' || x == '\r') {
                        c.transforme = true;
                        m_ligne += x == '\n' || !(q + 1 < m_n && m_d[q + 1] == '\n');
                    } else if (Controle(x) && x != '\t') {
                        c.controle = true;
                    }
                }
                c.debut = p + 1;
                c.fin = q;
                c.guillemets = true;
                p = q < m_n ? q + 1 : m_n;
                // Anything between the closing quote and the separator is dropped.
                while (p < m_n && m_d[p] != m_separateur && m_d[p] != '\r' && m_d[p] != '\n')
                    ++p;
            } else {
                qsizetype q = p;
                // A quote inside an unquoted field is one of its characters.
                while ((q = b.prochain(q, *this)) < m_n && !b.fin(q)) {
                    c.controle |= m_d[q] != '\t' && m_d[q] != '"';
                    ++q;
                }
                c.debut = p;
                c.fin = q;
                p = q;
            }
            plus_long = std::max(plus_long, c.fin - c.debut);
            champs.push_back(c);
            if (p >= m_n)
                break;
            if (m_d[p] == m_separateur) {
                if (++p < m_n)
                    continue;
                champs.push_back(Brut{m_n, m_n});
                break;
            }
            p += (m_d[p] == '\r' && p + 1 < m_n && m_d[p + 1] == '\n') ? 2 : 1;
            ++m_ligne;
            break;
        }
        m_blocs = b;
        m_p = p;
        m_plus_long = plus_long;
        return true;
    }

private:
    static bool Controle(char x) { return static_cast<unsigned char>(x) < 0x20 || x == 0x7F; }

    // Where, in a 64-byte block, the bytes that are no plain character of a
    // field lie: separators and line ends, then quotes and control bytes.
    struct Masques {
        quint64 fins = 0, autres = 0;
        quint64 lignes = 0; // the line ends among the fins
    };
    Masques masques(qsizetype bloc) const
    {
        Masques m;
#ifdef __SSE2__
        if (bloc + 64 <= m_n) {
            const __m128i controle = _mm_set1_epi8(0x1F);
            const __m128i suppression = _mm_set1_epi8(0x7F);
            const __m128i guillemet = _mm_set1_epi8('"');
            const __m128i separateur = _mm_set1_epi8(m_separateur);
            const __m128i cr = _mm_set1_epi8('\r');
            const __m128i lf = _mm_set1_epi8('\n');
            for (int k = 0; k < 4; ++k) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(m_d + bloc + 16 * k));
                const __m128i lignes = _mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf));
                const __m128i fins = _mm_or_si128(_mm_cmpeq_epi8(v, separateur), lignes);
                const __m128i tous = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(_mm_max_epu8(v, controle), controle), _mm_cmpeq_epi8(v, suppression)),
                                                  _mm_or_si128(_mm_cmpeq_epi8(v, guillemet), fins));
                m.fins |= quint64(quint16(_mm_movemask_epi8(fins))) << (16 * k);
                m.lignes |= quint64(quint16(_mm_movemask_epi8(lignes))) << (16 * k);
                m.autres |= quint64(quint16(_mm_movemask_epi8(_mm_andnot_si128(fins, tous)))) << (16 * k);
            }
            return m;
        }
#endif
        for (qsizetype i = bloc; i < qMin(bloc + 64, m_n); ++i) {
            const char x = m_d[i];
            if (x == '\r' || x == '\n')
                m.lignes |= quint64(1) << (i - bloc);
            if (x == m_separateur || x == '\r' || x == '\n')
                m.fins |= quint64(1) << (i - bloc);
            else if (x == '"' || Controle(x))
                m.autres |= quint64(1) << (i - bloc);
        }
        return m;
    }

    // The block being gone through.
    struct Blocs {
        qsizetype bloc = -1;
        Masques m;
        // The first byte from `q` on that is no plain character of a field,
        // or the end: most fields are a few bytes long.
        qsizetype prochain(qsizetype q, const Decoupeur &d)
        {
            for (; q < d.m_n; q = (q | 63) + 1) {
                if (const qsizetype debut = q & ~qsizetype(63); debut != bloc)
                    charge(debut, d);
                if (const quint64 reste = (m.fins | m.autres) >> (q - bloc))
                    return q + std::countr_zero(reste);
            }
            return d.m_n;
        }
        void charge(qsizetype debut, const Decoupeur &d)
        {
            bloc = debut;
            m = d.masques(debut);
        }
        // A separator or a line end at `q`, in the block.
        bool fin(qsizetype q) const { return (m.fins >> (q - bloc)) & 1; }
    };

    // Most records: no quote, no control byte, a line end. Their fields
    // are cut at each bit of the masks; false, with nothing taken, for any
    // other record.
    bool rapide(std::vector<Brut> &champs, Blocs &b, qsizetype &p, qsizetype &plus_long) const
    {
        qsizetype debut = p;
        if ((p & ~qsizetype(63)) != b.bloc)
            b.charge(p & ~qsizetype(63), *this);
        quint64 reste = (b.m.fins | b.m.autres) & (~quint64(0) << (p - b.bloc));
        for (;;) {
            while (!reste) {
                if (b.bloc + 64 >= m_n) {
                    champs.clear();
                    plus_long = 0;
                    return false;
                }
                b.charge(b.bloc + 64, *this);
                reste = b.m.fins | b.m.autres;
            }
            const int k = std::countr_zero(reste);
            const qsizetype q = b.bloc + k;
            reste &= reste - 1;
            if (!((b.m.fins >> k) & 1)) {
                champs.clear();
                plus_long = 0;
                return false;
            }
            champs.push_back(Brut{debut, q});
            plus_long = std::max(plus_long, q - debut);
            if ((b.m.lignes >> k) & 1) {
                p = q + 1 + (m_d[q] == '\r' && q + 1 < m_n && m_d[q + 1] == '\n');
                return true;
            }
            debut = q + 1;
        }
    }

    const char *m_d;
    qsizetype m_n;
    char m_separateur;
    Blocs m_blocs;
    qsizetype m_p;
    qsizetype m_ligne = 1;
    qsizetype m_plus_long = 0;
};

} // namespace Moulins::Csv
