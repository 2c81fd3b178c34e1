// Carga del modelo: tablas de nudos y barras, mapas de numeración, bloques
// del modelo, cargas, combos y ajustes de dibujo.
#include "input/funcionLeerArchivo.h"

#include <algorithm>
#include <climits>
#include <functional>
#include <iostream>
#include <sstream>
#include <unordered_map>

#include "app/zurezar3o.h"
#include "input/claseLeerArchivo.h"

namespace {

// Tope de los números de usuario: el mapa nunca pasa de este tamaño
const int maximoNumeroUsuario = 10000000;

// Índice en los mapas internos de un número que ninguna fila lleva
const int sinFila = -1;
// Índice de un número cuya fila se descartó
const int filaDescartada = -2;

// Valor leído tal como lo escribiría el usuario
std::string texto(double v)
{
    std::ostringstream os;
    os.precision(15);
    os << v;
    return os.str();
}

// Número de usuario truncado hacia cero; -1 si es negativo o pasa el tope
int numeroUsuario(double v)
{
    if (!(v > -1.0) || !(v < maximoNumeroUsuario + 1.0)) {
        return -1;
    }
    return static_cast<int>(v);
}

bool cabeEnInt(double v) { return v > INT_MIN - 1.0 && v < INT_MAX + 1.0; }

// Mapa interno de un tipo: número de usuario -> fila, con sinFila y
// filaDescartada para los números que no dan un objeto
struct mapaUsuario {
    std::vector<int> fila;
    const char* clase;  // "el nudo" o "la barra"
};

struct filaNudo {
    int usuario;
    double x, y, z;
};

struct filaBarra {
    int usuario;
    int inicio, fin;  // filas de sus nudos
};

// Filas con número válido y sin repetir: de un número repetido queda la última
std::vector<int> filasValidas(const MatrixXd& tabla, const char* clase, const char* etiqueta)
{
    std::vector<int> numeros(static_cast<size_t>(tabla.rows()), -1);
    std::unordered_map<int, Eigen::Index> ultima;
    for (Eigen::Index r = 0; r < tabla.rows(); r++) {
        int u = numeroUsuario(tabla(r, 0));
        if (u < 0) {
            std::cout << "Advertencia: " << clase << " " << texto(tabla(r, 0)) << " de "
                      << etiqueta << " está fuera del rango 0 a " << maximoNumeroUsuario
                      << "; se descarta la fila" << std::endl;
            continue;
        }
        numeros[static_cast<size_t>(r)] = u;
        ultima[u] = r;
    }
    std::vector<int> filas;
    for (Eigen::Index r = 0; r < tabla.rows(); r++) {
        int u = numeros[static_cast<size_t>(r)];
        if (u < 0) {
            continue;
        }
        if (ultima[u] != r) {
            std::cout << "Advertencia: " << clase << " " << u << " aparece más de una vez en "
                      << etiqueta << "; queda la última fila" << std::endl;
            continue;
        }
        filas.push_back(static_cast<int>(r));
    }
    return filas;
}

// Mapa interno de los números aceptados, del tamaño del mayor más uno
std::vector<int> mapaDeNumeros(const std::vector<int>& numeros)
{
    int mayor = -1;
    for (int u : numeros) {
        mayor = std::max(mayor, u);
    }
    std::vector<int> mapa(static_cast<size_t>(mayor + 1), sinFila);
    for (size_t r = 0; r < numeros.size(); r++) {
        mapa[static_cast<size_t>(numeros[r])] = static_cast<int>(r);
    }
    return mapa;
}

// Mapa global: los números que ninguna fila lleva apuntan a la fila 0
VectorXi punteroDeMapa(const std::vector<int>& mapa)
{
    VectorXi puntero = VectorXi::Zero(static_cast<Eigen::Index>(mapa.size()));
    for (size_t u = 0; u < mapa.size(); u++) {
        if (mapa[u] >= 0) {
            puntero(static_cast<Eigen::Index>(u)) = mapa[u];
        }
    }
    return puntero;
}

std::vector<filaNudo> leerTablaNudos(claseLeerArchivo& lector)
{
    MatrixXd tabla = lector.getMatriz("nudos:", 4);
    std::vector<filaNudo> nudos;
    for (int r : filasValidas(tabla, "el nudo", "nudos:")) {
        nudos.push_back({numeroUsuario(tabla(r, 0)), tabla(r, 1), tabla(r, 2), tabla(r, 3)});
    }
    return nudos;
}

// Tabla de barras: quedan las que unen dos nudos existentes en puntos distintos.
// Los números de las descartadas quedan marcados en descartadas.
std::vector<filaBarra> leerTablaBarras(claseLeerArchivo& lector, const std::vector<filaNudo>& nudos,
                                       const std::vector<int>& mapaNudos,
                                       std::vector<int>& descartadas)
{
    MatrixXd tabla = lector.getMatriz("barras:", 3);
    std::vector<filaBarra> barras;
    std::vector<int> filas = filasValidas(tabla, "la barra", "barras:");
    if (nudos.empty() && !filas.empty()) {
        std::cout << "Advertencia: no hay nudos; se descarta la tabla barras: (" << filas.size()
                  << " filas)" << std::endl;
        return barras;
    }
    // fila del nudo de un valor de la tabla, -1 si no está en nudos:
    auto filaDeNudo = [&](double v) {
        int n = numeroUsuario(v);
        if (n < 0 || n >= static_cast<int>(mapaNudos.size())) {
            return -1;
        }
        return mapaNudos[static_cast<size_t>(n)];
    };
    for (int r : filas) {
        int u = numeroUsuario(tabla(r, 0));
        int i = filaDeNudo(tabla(r, 1));
        int j = filaDeNudo(tabla(r, 2));
        if (i < 0 || j < 0) {
            std::cout << "Advertencia: la barra " << u << " de barras: usa el nudo "
                      << texto(tabla(r, i < 0 ? 1 : 2)) << ", que no está en nudos:; se descarta"
                      << std::endl;
            descartadas.push_back(u);
            continue;
        }
        const filaNudo& a = nudos[static_cast<size_t>(i)];
        const filaNudo& b = nudos[static_cast<size_t>(j)];
        double dx = b.x - a.x, dy = b.y - a.y, dz = b.z - a.z;
        if (dx * dx + dy * dy + dz * dz == 0) {
            std::cout << "Advertencia: la barra " << u << " de barras: une los nudos " << a.usuario
                      << " y " << b.usuario << ", que coinciden en el espacio; se descarta"
                      << std::endl;
            descartadas.push_back(u);
            continue;
        }
        barras.push_back({u, i, j});
    }
    return barras;
}

// Fila del objeto que nombra un valor de una lista; -1 (con aviso) si el
// número no da ningún objeto del modelo
int resolver(double v, const mapaUsuario& mapa, const std::string& etiqueta)
{
    int u = numeroUsuario(v);
    if (u < 0 || u >= static_cast<int>(mapa.fila.size()) ||
        mapa.fila[static_cast<size_t>(u)] == filaDescartada) {
        std::cout << "Advertencia: " << mapa.clase << " " << texto(v) << " de " << etiqueta
                  << " no está en el modelo; se omite" << std::endl;
        return -1;
    }
    int fila = mapa.fila[static_cast<size_t>(u)];
    return fila == sinFila ? 0 : fila;
}

using accionBloque =
    std::function<void(int fila, const std::string& nombre, const std::vector<double>& fijos)>;

// Procedimiento de todos los bloques de una clase: nombre, K valores fijos y
// la lista de números. Devuelve la cantidad de bloques de la etiqueta.
int aplicarBloques(claseLeerArchivo& lector, const std::string& etiqueta, bool conNombre,
                   size_t K, const mapaUsuario& mapa, const accionBloque& accion,
                   bool fijosEnteros = false)
{
    int m = lector.getNoEtiquetas(etiqueta);
    for (int n = 1; n <= m; n++) {
        std::string nombre = conNombre ? lector.getString(etiqueta, n) : "";
        std::vector<double> corrida =
            lector.getMatrizEtiquetaRepetida(etiqueta, n, conNombre ? 1 : 0);
        if (corrida.size() <= K) {
            continue;
        }
        std::vector<double> fijos(corrida.begin(), corrida.begin() + static_cast<long>(K));
        bool validos = true;
        for (double v : fijos) {
            if (fijosEnteros && !cabeEnInt(v)) {
                std::cout << "Advertencia: el valor " << texto(v) << " de " << etiqueta
                          << " está fuera del rango de los enteros; se descarta el bloque"
                          << std::endl;
                validos = false;
                break;
            }
        }
        if (!validos) {
            continue;
        }
        for (size_t k = K; k < corrida.size(); k++) {
            int fila = resolver(corrida[k], mapa, etiqueta);
            if (fila >= 0) {
                accion(fila, nombre, fijos);
            }
        }
    }
    return m;
}

struct bloqueCombo {
    std::string nombre;
    std::vector<double> factores;
    std::vector<std::string> casos;
};

// Nombres de los casos que define algún bloque de cargas del archivo
std::vector<std::string> casosDefinidos(claseLeerArchivo& lector)
{
    std::vector<std::string> casos;
    for (const char* etiqueta : {"puntual:", "distribuidaLocalX:", "distribuidaLocalY:",
                                 "distribuidaLocalZ:", "distribuidaLocalT:",
                                 "distribuidaGlobal:", "pesoPropio:"}) {
        int m = lector.getNoEtiquetas(etiqueta);
        for (int n = 1; n <= m; n++) {
            casos.push_back(lector.getString(etiqueta, n));
        }
    }
    return casos;
}

// Bloques combo: que se aplican, en orden del archivo. Deja en noCombos la
// cantidad de combos distintos que tendrá cada nudo y cada barra.
std::vector<bloqueCombo> leerCombos(claseLeerArchivo& lector)
{
    std::vector<bloqueCombo> bloques;
    std::vector<std::string> nombres;
    const std::vector<std::string> casos = casosDefinidos(lector);
    int m = lector.getNoEtiquetas("combo:");
    for (int n = 1; n <= m; n++) {
        bloqueCombo b;
        b.nombre = lector.getString("combo:", n);
        b.factores = lector.getFactoresEtiqueta("combo:", n, 1);
        b.casos = lector.getNombresDeFactores("combo:", n, 1);
        b.factores.resize(std::min(b.factores.size(), b.casos.size()));
        b.casos.resize(b.factores.size());
        if (b.factores.empty()) {
            std::cout << "Advertencia: el combo " << b.nombre
                      << " de combo: no tiene ningún par (factor, caso); no se usa" << std::endl;
            continue;
        }
        for (const std::string& caso : b.casos) {
            if (std::find(casos.begin(), casos.end(), caso) == casos.end()) {
                std::cout << "Advertencia: el combo " << b.nombre << " usa el caso " << caso
                          << ", que ningún bloque de cargas define; aporta cero" << std::endl;
            }
        }
        bool repetido = false;
        for (const std::string& otro : nombres) {
            repetido = repetido || otro == b.nombre;
        }
        if (repetido) {
            std::cout << "Advertencia: el combo " << b.nombre
                      << " aparece en más de un bloque combo:; sus pares se suman al primero"
                      << std::endl;
        } else {
            nombres.push_back(b.nombre);
        }
        bloques.push_back(b);
    }
    noCombos = static_cast<int>(nombres.size());
    if (noCombos > 100) {
        std::cout << "Advertencia: hay " << noCombos
                  << " combos; el visor solo puede mostrar y cambiar los primeros 100"
                  << std::endl;
    }
    return bloques;
}

template <class Objeto>
void aplicarCombos(std::vector<Objeto>& objetos, const std::vector<bloqueCombo>& bloques)
{
    for (Objeto& objeto : objetos) {
        for (const bloqueCombo& b : bloques) {
            for (size_t j = 0; j < b.factores.size(); j++) {
                objeto.setCombo(b.nombre, b.factores[j], b.casos[j]);
            }
        }
    }
}

void faseNudos(claseLeerArchivo& lector, const std::vector<filaNudo>& filas,
               const mapaUsuario& mapa, std::vector<bloqueCombo>& combos)
{
    nudo.resize(static_cast<size_t>(noNudos));
    for (size_t r = 0; r < filas.size(); r++) {
        int u = filas[r].usuario;
        nudo[r].setNoNudoUsuario(u);
        nudo[r].setNoNudoInterno(punteroNudos(u));
        nudo[r].setCoordenadas(filas[r].x, filas[r].y, filas[r].z);
    }

    auto apoyo = [](int f, const std::string&, const std::vector<double>& c) {
        nudo[static_cast<size_t>(f)].setApoyo(static_cast<int>(c[0]), static_cast<int>(c[1]),
                                              static_cast<int>(c[2]), static_cast<int>(c[3]),
                                              static_cast<int>(c[4]), static_cast<int>(c[5]));
    };
    if (aplicarBloques(lector, "apoyo:", false, 6, mapa, apoyo, true) > 0) {
        std::cout << "transferencia de apoyos a nudo[i] OK" << std::endl;
    }

    auto puntual = [](int f, const std::string& caso, const std::vector<double>& p) {
        nudo[static_cast<size_t>(f)].setCargaPuntual(caso, p[0], p[1], p[2], p[3], p[4], p[5]);
    };
    if (aplicarBloques(lector, "puntual:", true, 6, mapa, puntual) > 0) {
        std::cout << "transferencia de cargas puntuales a nudo[i] OK" << std::endl;
    }

    combos = leerCombos(lector);
    if (noCombos != 0) {
        aplicarCombos(nudo, combos);
        std::cout << "transferencia de combos a nudo[i] OK" << std::endl;
    }
}

// Material, nombre y peso específico comunes a las secciones con forma
void materialSeccion(objBarra3d& b, const std::string& nombre, const std::vector<double>& v,
                     size_t desde)
{
    b.setModuloEyPoisson(v[desde], v[desde + 1]);
    b.setNombreDeSeccion(nombre);
    b.setPesoEspecifico(v[desde + 2]);
}

void faseBarras(claseLeerArchivo& lector, const std::vector<filaBarra>& filas,
                const mapaUsuario& mapa, const std::vector<bloqueCombo>& combos)
{
    barra.resize(static_cast<size_t>(noBarras));
    for (size_t r = 0; r < filas.size(); r++) {
        objBarra3d& b = barra[r];
        objNudo3d& ni = nudo[static_cast<size_t>(filas[r].inicio)];
        objNudo3d& nj = nudo[static_cast<size_t>(filas[r].fin)];
        b.resetFlags();
        b.setNoBarraUsuario(filas[r].usuario);
        b.setNoBarraInterna(punteroBarras(filas[r].usuario));
        b.setNudoInicio(filas[r].inicio, ni.getX(), ni.getY(), ni.getZ());
        b.setNudoFinal(filas[r].fin, nj.getX(), nj.getY(), nj.getZ());
    }
    std::cout << "transferencia de coord a barra[i] OK" << std::endl;

    auto de = [](int f) -> objBarra3d& { return barra[static_cast<size_t>(f)]; };

    aplicarBloques(lector, "seccionRectangular:", true, 5, mapa,
                   [&](int f, const std::string& nombre, const std::vector<double>& v) {
                       de(f).setSeccionRectangular(v[0], v[1]);
                       materialSeccion(de(f), nombre, v, 2);
                   });
    aplicarBloques(lector, "seccionPlaca:", true, 5, mapa,
                   [&](int f, const std::string& nombre, const std::vector<double>& v) {
                       de(f).setSeccionPlaca(v[0], v[1]);
                       materialSeccion(de(f), nombre, v, 2);
                   });
    // alto del alma y ancho del ala llegan al setter en orden inverso
    aplicarBloques(lector, "seccionCostanera:", true, 8, mapa,
                   [&](int f, const std::string& nombre, const std::vector<double>& v) {
                       de(f).setSeccionCostanera(v[1], v[0], v[2], v[3], v[4]);
                       materialSeccion(de(f), nombre, v, 5);
                   });
    std::cout << "Secciones Costanera leidas" << std::endl;
    aplicarBloques(lector, "seccionW:", true, 7, mapa,
                   [&](int f, const std::string& nombre, const std::vector<double>& v) {
                       de(f).setSeccionW(v[0], v[1], v[2], v[3]);
                       materialSeccion(de(f), nombre, v, 4);
                   });
    std::cout << "SeccionesW leidas" << std::endl;
    aplicarBloques(lector, "seccionGenerica:", true, 7, mapa,
                   [&](int f, const std::string& nombre, const std::vector<double>& v) {
                       de(f).setNombreDeSeccion(nombre);
                       de(f).setSeccionGenerica(v[0], v[1], v[2], v[3]);
                       de(f).setModuloEyPoisson(v[4], v[5]);
                       de(f).setPesoEspecifico(v[6]);
                   });

    aplicarBloques(lector, "rotacionBarra:", false, 1, mapa,
                   [&](int f, const std::string&, const std::vector<double>& v) {
                       de(f).setRotacion(v[0]);
                   });

    aplicarBloques(lector, "distribuidaLocalX:", true, 2, mapa,
                   [&](int f, const std::string& caso, const std::vector<double>& v) {
                       de(f).setDistribuidaLocalX(caso, v[0], v[1]);
                   });
    aplicarBloques(lector, "distribuidaLocalY:", true, 2, mapa,
                   [&](int f, const std::string& caso, const std::vector<double>& v) {
                       de(f).setDistribuidaLocalY(caso, v[0], v[1]);
                   });
    aplicarBloques(lector, "distribuidaLocalZ:", true, 2, mapa,
                   [&](int f, const std::string& caso, const std::vector<double>& v) {
                       de(f).setDistribuidaLocalZ(caso, v[0], v[1]);
                   });
    aplicarBloques(lector, "distribuidaLocalT:", true, 1, mapa,
                   [&](int f, const std::string& caso, const std::vector<double>& v) {
                       de(f).setDistribuidaLocalT(caso, v[0]);
                   });
    aplicarBloques(lector, "distribuidaGlobal:", true, 5, mapa,
                   [&](int f, const std::string& caso, const std::vector<double>& v) {
                       de(f).setDistribuidaGlobal(caso, v[0], v[1], v[2], v[3], v[4]);
                   });

    aplicarBloques(lector, "articulacion:", false, 4, mapa,
                   [&](int f, const std::string&, const std::vector<double>& v) {
                       de(f).setArticulacion(v[0], v[1], v[2], v[3]);
                   });

    int m = lector.getNoEtiquetas("pesoPropio:");
    if (m == 0) {
        std::cout << "No se calculará el peso propio de la estructura" << std::endl;
    } else if (m == 1) {
        std::string caso = lector.getString("pesoPropio:", 1);
        for (objBarra3d& b : barra) {
            b.setPesoPropio(caso);
        }
        std::cout << "Lectura de pesoPropio ---> OK" << std::endl;
    } else {
        std::cout << "No usar la etiqueta *pesoPropio:* más de una vez" << std::endl;
    }

    if (noCombos != 0) {
        aplicarCombos(barra, combos);
    }
}

struct ajusteEscala {
    const char* etiqueta;
    double* global;
    double defecto;
};

void leerAjustes(claseLeerArchivo& lector)
{
    const ajusteEscala escalas[] = {
        {"escalaTexto:", &escalaTexto, 0.15}, {"escalaDeflexion:", &escalaDef, 100},
        {"escalaMy:", &escalaMy, 0.02},       {"escalaMz:", &escalaMz, 0.02},
        {"escalaVy:", &escalaVy, 0.05},       {"escalaVz:", &escalaVz, 0.05},
        {"escalaN:", &escalaN, 0.01},         {"escalaT:", &escalaT, 0.01},
        {"escalaApoyo:", &escalaApoyo, 0},    {"escalaCarga:", &escalaCarga, 0.1},
    };
    precision = 3;
    for (const ajusteEscala& e : escalas) {
        *e.global = e.defecto;
    }
    int p = lector.getEntero("precision:");
    if (p < -1) {
        std::cout << "Advertencia: el valor " << p
                  << " de la etiqueta precision: es negativo; se usan 0 decimales" << std::endl;
        precision = 0;
    } else if (p != -1) {
        precision = p;
    }
    for (const ajusteEscala& e : escalas) {
        double v = lector.getReal(e.etiqueta);
        if (v > 0) {
            *e.global = v;
        }
    }
}

}  // namespace

void funcionLeerArchivo()
{
    claseLeerArchivo lector;
    lector.setNombreArchivo(nombreArchivo);
    // Una sola línea por carga cuando el archivo no se puede leer
    if (!lector.getArchivoLegible()) {
        std::cout << "Advertencia: no se pudo abrir el archivo " << nombreArchivo
                  << "; se lee como un archivo vacío" << std::endl;
    }

    std::vector<filaNudo> filasNudos = leerTablaNudos(lector);
    noNudos = static_cast<int>(filasNudos.size());
    std::cout << "lectura de nudos OK " << "Num Nudos = " << noNudos << std::endl;

    std::vector<int> numeros;
    for (const filaNudo& f : filasNudos) {
        numeros.push_back(f.usuario);
    }
    mapaUsuario mapaNudos{mapaDeNumeros(numeros), "el nudo"};

    std::vector<int> descartadas;
    std::vector<filaBarra> filasBarras =
        leerTablaBarras(lector, filasNudos, mapaNudos.fila, descartadas);
    noBarras = static_cast<int>(filasBarras.size());
    std::cout << "lectura de barras OK " << "Num Barras = " << noBarras << std::endl;

    numeros.clear();
    for (const filaBarra& f : filasBarras) {
        numeros.push_back(f.usuario);
    }
    mapaUsuario mapaBarras{mapaDeNumeros(numeros), "la barra"};
    for (int u : descartadas) {
        if (u < static_cast<int>(mapaBarras.fila.size())) {
            mapaBarras.fila[static_cast<size_t>(u)] = filaDescartada;
        }
    }

    if (noNudos != 0) {
        punteroNudos = punteroDeMapa(mapaNudos.fila);
    }
    if (noBarras != 0) {
        punteroBarras = punteroDeMapa(mapaBarras.fila);
    }

    nudo.clear();
    barra.clear();
    std::vector<bloqueCombo> combos;
    if (noNudos != 0) {
        faseNudos(lector, filasNudos, mapaNudos, combos);
    }
    if (noBarras != 0) {
        faseBarras(lector, filasBarras, mapaBarras, combos);
    }

    leerAjustes(lector);
}
