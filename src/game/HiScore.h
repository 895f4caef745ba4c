// The hall of fame: the ten best scores with their names, and "scores.his".
#ifndef HISCORE_H
#define HISCORE_H

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
};

#endif
