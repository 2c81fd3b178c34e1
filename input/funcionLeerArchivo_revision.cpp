// Revisión del modelo leído (nudos en un mismo punto, barras repetidas o casi
// nulas) y de los tokens que ninguna consulta leyó.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <sstream>
#include <unordered_map>

#include "input/funcionLeerArchivo_interno.h"

namespace lectura {

namespace {

// Fracciones del tamaño del modelo: dos nudos más cerca que la primera están
// en el mismo punto; una barra más corta que la segunda es un resto de dibujo
const double fraccionMismoPunto = 1e-9;
const double fraccionBarraCorta = 1e-6;

std::string textoCorto(double v)
{
    std::ostringstream os;
    os << v;
    return os.str();
}

std::string punto(const filaNudo& n)
{
    return "(" + texto(n.x) + ", " + texto(n.y) + ", " + texto(n.z) + ")";
}

// Nudos a menos de tolerancia de otro anterior que ninguna fila de barras
// une con él. Una rejilla de celdas mucho mayores que la tolerancia guarda un
// representante por punto: cada nudo se compara con los representantes de su
// celda y, solo si está cerca de un borde, con los de la vecina; un nudo en
// un punto que ya tiene representante no se agrega (muchos nudos en un solo
// punto no cuestan más que uno).
void avisarNudosEnUnPunto(lecturaArchivo& c, const double minimo[3], double tamano)
{
    const std::vector<filaNudo>& nudos = c.nudos;
    const double tolerancia = fraccionMismoPunto * tamano;
    const double lado = tamano > 0 ? 1e3 * tolerancia : 1;
    std::unordered_map<std::uint64_t, int> cabeza;
    cabeza.reserve(nudos.size());
    std::vector<int> siguiente(nudos.size(), -1);
    avisosLimitados avisos("nudos en el mismo punto que otro");
    auto clave = [](const std::int64_t celda[3]) {
        const std::uint64_t m = (1u << 21) - 1;  // hasta 2^21 celdas por eje
        return (static_cast<std::uint64_t>(celda[0]) & m) << 42 |
               (static_cast<std::uint64_t>(celda[1]) & m) << 21 |
               (static_cast<std::uint64_t>(celda[2]) & m);
    };
    for (size_t p = 0; p < nudos.size(); p++) {
        const filaNudo& np = nudos[p];
        const double x[3] = {np.x - minimo[0], np.y - minimo[1], np.z - minimo[2]};
        std::int64_t celda[3];
        int desde[3], hasta[3];
        for (int e = 0; e < 3; e++) {
            celda[e] = static_cast<std::int64_t>(std::floor(x[e] / lado));
            double enCelda = x[e] - static_cast<double>(celda[e]) * lado;
            desde[e] = enCelda <= tolerancia ? -1 : 0;
            hasta[e] = lado - enCelda <= tolerancia ? 1 : 0;
        }
        int representante = -1;
        for (int a = desde[0]; a <= hasta[0] && representante < 0; a++) {
            for (int b = desde[1]; b <= hasta[1] && representante < 0; b++) {
                for (int d = desde[2]; d <= hasta[2] && representante < 0; d++) {
                    const std::int64_t vecina[3] = {celda[0] + a, celda[1] + b, celda[2] + d};
                    auto it = cabeza.find(clave(vecina));
                    for (int q = it == cabeza.end() ? -1 : it->second; q >= 0 && representante < 0;
                         q = siguiente[static_cast<size_t>(q)]) {
                        const filaNudo& n = nudos[static_cast<size_t>(q)];
                        double dx = n.x - np.x, dy = n.y - np.y, dz = n.z - np.z;
                        if (dx * dx + dy * dy + dz * dz <= tolerancia * tolerancia) {
                            representante = q;
                        }
                    }
                }
            }
        }
        if (representante < 0) {
            auto insertado = cabeza.emplace(clave(celda), static_cast<int>(p));
            if (!insertado.second) {
                siguiente[p] = insertado.first->second;
                insertado.first->second = static_cast<int>(p);
            }
            continue;
        }
        if (std::binary_search(c.uniones.begin(), c.uniones.end(),
                               clavePar(representante, static_cast<int>(p))) ||
            !avisos.escribir()) {
            continue;
        }
        const filaNudo& n = nudos[static_cast<size_t>(representante)];
        std::cout << "Advertencia: los nudos " << c.lector.describir(n.token) << " y "
                  << c.lector.describir(np.token) << " están en el mismo punto " << punto(n)
                  << " y ninguna barra los une; la estructura queda separada allí" << std::endl;
    }
    avisos.cerrar();
}

// Barras que unen los mismos dos nudos, y barras casi nulas
void avisarBarras(lecturaArchivo& c, double tamano)
{
    const std::vector<filaBarra>& barras = c.barras;
    std::vector<std::pair<unsigned long long, int>> pares;
    pares.reserve(barras.size());
    for (size_t r = 0; r < barras.size(); r++) {
        pares.push_back({clavePar(barras[r].inicio, barras[r].fin), static_cast<int>(r)});
    }
    std::sort(pares.begin(), pares.end());
    avisosLimitados repetidas("pares de barras sobre los mismos nudos");
    for (size_t k = 1; k < pares.size(); k++) {
        if (pares[k].first != pares[k - 1].first || !repetidas.escribir()) {
            continue;
        }
        // la primera barra de ese par de nudos
        size_t j = k - 1;
        while (j > 0 && pares[j - 1].first == pares[k].first) {
            j--;
        }
        const filaBarra& a = barras[static_cast<size_t>(pares[j].second)];
        const filaBarra& b = barras[static_cast<size_t>(pares[k].second)];
        std::cout << "Advertencia: las barras " << c.lector.describir(a.token) << " y "
                  << c.lector.describir(b.token) << " unen los mismos nudos, "
                  << c.nudos[static_cast<size_t>(a.inicio)].usuario << " y "
                  << c.nudos[static_cast<size_t>(a.fin)].usuario
                  << "; su rigidez y su peso propio cuentan dos veces" << std::endl;
    }
    repetidas.cerrar();

    avisosLimitados cortas("barras casi nulas");
    for (const filaBarra& b : barras) {
        const filaNudo& i = c.nudos[static_cast<size_t>(b.inicio)];
        const filaNudo& j = c.nudos[static_cast<size_t>(b.fin)];
        double largo = std::sqrt((j.x - i.x) * (j.x - i.x) + (j.y - i.y) * (j.y - i.y) +
                                 (j.z - i.z) * (j.z - i.z));
        if (largo < fraccionBarraCorta * tamano && cortas.escribir()) {
            std::cout << "Advertencia: la barra " << c.lector.describir(b.token) << " mide "
                      << textoCorto(largo) << ", menos de una millonésima del tamaño del modelo ("
                      << textoCorto(tamano) << "); revisar sus nudos " << i.usuario << " y "
                      << j.usuario << std::endl;
        }
    }
    cortas.cerrar();
}

}  // namespace

void revisarGeometria(lecturaArchivo& c)
{
    if (c.nudos.empty()) {
        return;
    }
    double minimo[3] = {c.nudos[0].x, c.nudos[0].y, c.nudos[0].z};
    double maximo[3] = {minimo[0], minimo[1], minimo[2]};
    for (const filaNudo& n : c.nudos) {
        const double x[3] = {n.x, n.y, n.z};
        for (int e = 0; e < 3; e++) {
            minimo[e] = std::min(minimo[e], x[e]);
            maximo[e] = std::max(maximo[e], x[e]);
        }
    }
    // diagonal de la caja, sin desbordar con coordenadas enormes
    double escala = 0;
    for (int e = 0; e < 3; e++) {
        escala = std::max(escala, maximo[e] - minimo[e]);
    }
    double tamano = 0;
    if (escala > 0) {
        double s = 0;
        for (int e = 0; e < 3; e++) {
            double d = (maximo[e] - minimo[e]) / escala;
            s += d * d;
        }
        tamano = escala * std::sqrt(s);
    }
    if (!std::isfinite(tamano)) {
        return;
    }
    avisarNudosEnUnPunto(c, minimo, tamano);
    avisarBarras(c, tamano);
}

void avisarBloquesSinFase(lecturaArchivo& c, const char* faltan,
                          const std::vector<const char*>& etiquetas)
{
    std::vector<std::string> partes;
    for (const char* e : etiquetas) {
        std::vector<size_t> apariciones = c.lector.getApariciones(e);
        if (apariciones.empty()) {
            continue;
        }
        std::vector<int> lineas;
        for (size_t t : apariciones) {
            lineas.push_back(c.lector.getLinea(t));
            c.lector.marcarNombrado(t);
        }
        partes.push_back(std::string(e) + " (" + claseLeerArchivo::listaDeLineas(lineas) + ")");
    }
    if (partes.empty()) {
        return;
    }
    std::cout << "Advertencia: no hay " << faltan << "; no se lee ningún bloque ";
    for (size_t k = 0; k < partes.size(); k++) {
        std::cout << (k == 0 ? "" : k + 1 == partes.size() ? " ni " : ", ") << partes[k];
    }
    std::cout << std::endl;
}

namespace {

// Un token que podría abrir algo: termina en dos puntos o empieza con una
// etiqueta del formato pegada a lo que sigue
bool pareceEtiqueta(lecturaArchivo& c, size_t t)
{
    std::string texto = c.lector.getTexto(t);
    return texto.back() == ':' || !etiquetaPegada(c, texto).empty();
}

}  // namespace

void avisarTokensSinLeer(lecturaArchivo& c)
{
    claseLeerArchivo& lector = c.lector;
    const size_t total = lector.getCantidadDeTokens();
    avisosLimitados avisos("tramos del archivo que ningún bloque lee");
    size_t i = 0;
    while (i < total) {
        if (lector.getEstado(i) == estadoToken::leido) {
            i++;
            continue;
        }
        // el tramo sin leer sigue hasta un token leído o uno que parece etiqueta
        size_t j = i + 1;
        while (j < total && lector.getEstado(j) != estadoToken::leido &&
               !(lector.getEstado(j) == estadoToken::sinLeer && pareceEtiqueta(c, j))) {
            j++;
        }
        // lo que empieza en un token ya nombrado quedó dicho con él
        if (lector.getEstado(i) == estadoToken::sinLeer && avisos.escribir()) {
            if (pareceEtiqueta(c, i)) {
                std::cout << "Advertencia: " << nombrar(c, i)
                          << " no es una etiqueta del formato; "
                          << (j > i + 1 ? "lo que sigue hasta la próxima etiqueta no se lee"
                                        : "no se lee")
                          << std::endl;
            } else {
                std::string tramo;
                for (size_t k = i; k < j && tramo.size() <= 40; k++) {
                    tramo += (tramo.empty() ? "" : " ") + lector.getTexto(k);
                }
                int desde = lector.getLinea(i), hasta = lector.getLinea(j - 1);
                std::string lineas = desde == hasta ? "línea " + std::to_string(desde)
                                                    : "líneas " + std::to_string(desde) + " a " +
                                                          std::to_string(hasta);
                std::cout << "Advertencia: " << claseLeerArchivo::citar(tramo) << " (" << lineas
                          << claseLeerArchivo::nombrarInvisibles(tramo)
                          << ") no es parte de ningún bloque; no se lee" << std::endl;
            }
        }
        i = j;
    }
    avisos.cerrar();
}

}  // namespace lectura
