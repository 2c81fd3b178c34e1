// Revisión larga de las reescrituras de archivos válidos: cada ejemplo, el
// ejemplo del README y dos edificios generados (uno de 300 casos de carga y
// uno de 5 292 nudos) escritos de muchas formas, cada forma sola y muchas
// combinadas al azar (semilla fija). Cada reescritura debe cargar sin ninguna
// línea nueva y con el mismo modelo y los mismos resultados, bit a bit, que
// el original. No es parte de CTest (la prueba Reescrituras.* hace lo mismo
// con dos archivos); se corre a mano:
//
//     build/tests/revisar_reescrituras [combinadas por archivo, 200 por omisión]
//
// Escribe cuántas reescrituras cargaron igual y, de las que no, las primeras
// con lo que difiere; termina con 1 si alguna difiere.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>

#include "comun/utilidades.h"
#include "input/reescrituras.h"

namespace {

// Edificio regular de nx × ny vanos de 5 m y nz pisos de 3 m, empotrado en la
// base, con casos cargas puntuales (un caso por nudo de piso, en ronda) y un
// combo por cada diez casos
std::string edificio(int nx, int ny, int nz, int casos)
{
    std::ostringstream os;
    auto id = [&](int i, int j, int k) { return 1 + i + (nx + 1) * (j + (ny + 1) * k); };
    os << "nudos:\n";
    for (int k = 0; k <= nz; k++) {
        for (int j = 0; j <= ny; j++) {
            for (int i = 0; i <= nx; i++) {
                os << id(i, j, k) << " " << 5 * i << " " << 5 * j << " " << 3 * k << "\n";
            }
        }
    }
    os << "barras:\n";
    int b = 0;
    std::string columnas, vigas;
    for (int k = 0; k < nz; k++) {
        for (int j = 0; j <= ny; j++) {
            for (int i = 0; i <= nx; i++) {
                os << ++b << " " << id(i, j, k) << " " << id(i, j, k + 1) << "\n";
                columnas += " " + std::to_string(b);
                if (i < nx) {
                    os << ++b << " " << id(i, j, k + 1) << " " << id(i + 1, j, k + 1) << "\n";
                    vigas += " " + std::to_string(b);
                }
                if (j < ny) {
                    os << ++b << " " << id(i, j, k + 1) << " " << id(i, j + 1, k + 1) << "\n";
                    vigas += " " + std::to_string(b);
                }
            }
        }
    }
    os << "apoyo: 1 1 1 1 1 1";
    for (int j = 0; j <= ny; j++) {
        for (int i = 0; i <= nx; i++) {
            os << " " << id(i, j, 0);
        }
    }
    os << "\nseccionRectangular: C40 0.4 0.4 2.5e7 0.2 24" << columnas
       << "\nseccionW: W310 0.165 0.0097 0.31 0.0058 2e8 0.3 78.5" << vigas
       << "\ndistribuidaGlobal: SC 12 12 0 0 -1" << vigas << "\npesoPropio: PP\n";
    const int piso = (nx + 1) * (ny + 1);
    for (int c = 0; c < casos; c++) {
        os << "puntual: C" << c << " " << 1 + c % 7 << " 0.5 0 0 0 0 " << piso + 1 + c % (piso * nz)
           << "\n";
    }
    os << "combo: ELU 1.2 PP 1.6 SC\n";
    for (int c = 0; c < casos; c += 10) {
        os << "combo: S" << c << " 1 PP";
        for (int d = c; d < c + 10 && d < casos; d++) {
            os << " 0.5 C" << d;
        }
        os << "\n";
    }
    os << "precision: 2\n";
    return os.str();
}

struct archivoRevisado {
    std::string nombre;
    std::string texto;
    bool calcular;
    int combinadas;
};

}  // namespace

int main(int argc, char** argv)
{
    const int combinadas = argc > 1 ? std::atoi(argv[1]) : 200;
    std::vector<archivoRevisado> archivos;
    for (const auto& e : std::filesystem::directory_iterator(DIR_EJEMPLOS)) {
        if (e.path().extension() == ".txt") {
            archivos.push_back({e.path().filename().string(), leerArchivo(e.path().string()), true,
                                combinadas});
        }
    }
    archivos.push_back({"ejemplo del README",
                        ejemploDelReadme(leerArchivo(std::string(DIR_EJEMPLOS) + "/../README.md")),
                        true, combinadas});
    archivos.push_back({"edificio de 300 casos", edificio(3, 3, 2, 300), true, combinadas / 4});
    // 21 × 21 × 12 nudos: se compara la carga (el análisis pediría 8 GB)
    archivos.push_back({"edificio de 5 292 nudos", edificio(20, 20, 11, 0), false, 4});

    int total = 0, distintas = 0;
    for (const archivoRevisado& a : archivos) {
        cargaCalculada original = cargarYCalcular(a.texto, a.calcular);
        if (!avisosDe(original.salida).empty() || (a.calcular && !original.resuelto)) {
            std::cout << a.nombre << ": el original no carga limpio o no se resuelve\n"
                      << original.salida << original.mensaje << "\n";
            return 1;
        }
        std::vector<bloqueArchivo> bloques = partirEnBloques(a.texto);
        std::vector<estiloEscritura> estilos = estilosBasicos();
        for (const estiloEscritura& e : estilosCombinados(1000u + static_cast<unsigned>(total),
                                                          a.combinadas)) {
            estilos.push_back(e);
        }
        int propias = 0;
        for (size_t k = 0; k < estilos.size(); k++) {
            std::string texto = escribir(bloques, estilos[k]);
            std::string d = diferencias(original, cargarYCalcular(texto, a.calcular));
            total++;
            propias++;
            if (!d.empty() && ++distintas <= 5) {
                std::cout << "== " << a.nombre << ", " << estilos[k].nombre << " " << k << ":\n"
                          << d << "-- archivo:\n" << texto.substr(0, 4000) << "\n";
            }
        }
        std::cout << a.nombre << ": " << propias << " reescrituras" << std::endl;
    }
    std::cout << total << " reescrituras de " << archivos.size() << " archivos; " << distintas
              << " no cargan igual" << std::endl;
    return distintas == 0 ? 0 : 1;
}
