// The hall of fame: the ten best scores with their names, and "scores.his".
#ifndef HISCORE_H
#define HISCORE_H

#include <cstddef>

class HiScore {
public:
    HiScore();
    ~HiScore();

    int LeePuntos(int rank);
    const char* LeeNombre(int rank);
    void GrabaPuntos(int score, int rank);
    void GrabaNombre(const char* name, int rank);
    int Save();

private:
    char marca;
    char nombres[10][10];
    int puntos[10];
    int i;
    // The file as this copy last read or wrote it (141 bytes at most): what
    // another copy of the game has added to it since shows against this.
    unsigned char visto[141];
    size_t largoVisto;

    void Mezcla(const unsigned char* datos, size_t largo);
};

#endif
