// Revisión del modelo leído (nudos en un mismo punto, barras repetidas, casi
// nulas, superpuestas o que pasan por un nudo sin unirlo), de los tokens que
// ninguna consulta leyó, y los avisos limitados por clase.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iostream>
#include <limits>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

#include "input/funcionLeerArchivo_interno.h"

namespace lectura {

namespace {

// Fracciones del tamaño del modelo: dos nudos más cerca que la primera están
// en el mismo punto; una barra más corta que la segunda es un resto de dibujo
const double fraccionMismoPunto = 1e-9;
const double fraccionBarraCorta = 1e-6;
// Fracción del largo de una barra: un nudo más cerca de su eje está sobre
// ella (coordenadas escritas con tres o cuatro cifras caen dentro)
const double fraccionSobreBarra = 1e-4;

// Caja de un conjunto de nudos
struct cajaDeNudos {
    double minimo[3] = {0, 0, 0};
    double maximo[3] = {0, 0, 0};
    bool vacia = true;

    void agregar(const filaNudo& n)
    {
        const double x[3] = {n.x, n.y, n.z};
        for (int e = 0; e < 3; e++) {
            minimo[e] = vacia ? x[e] : std::min(minimo[e], x[e]);
            maximo[e] = vacia ? x[e] : std::max(maximo[e], x[e]);
        }
        vacia = false;
    }

    // Diagonal, sin desbordar con coordenadas enormes
    double diagonal() const
    {
        double escala = 0;
        for (int e = 0; e < 3; e++) {
            escala = std::max(escala, maximo[e] - minimo[e]);
        }
        if (!(escala > 0)) {
            return 0;
        }
        double s = 0;
        for (int e = 0; e < 3; e++) {
            double d = (maximo[e] - minimo[e]) / escala;
            s += d * d;
        }
        return escala * std::sqrt(s);
    }

    // La mayor coordenada en valor absoluto
    double magnitud() const
    {
        double m = 0;
        for (int e = 0; e < 3; e++) {
            m = std::max({m, std::abs(minimo[e]), std::abs(maximo[e])});
        }
        return m;
    }
};

// Celda de la coordenada x (ya relativa al origen de la rejilla); acotada, así
// un nudo absurdamente lejos no desborda el entero
std::int64_t celdaDe(double x, double lado)
{
    const double tope = 4e18;
    return static_cast<std::int64_t>(std::max(-tope, std::min(tope, std::floor(x / lado))));
}

// Clave de una celda: los tres índices mezclados; dos celdas con la misma
// clave solo juntan sus listas
std::uint64_t claveDeCelda(const std::int64_t celda[3])
{
    std::uint64_t h = 0;
    for (int e = 0; e < 3; e++) {
        h = (h ^ static_cast<std::uint64_t>(celda[e])) * 0x9E3779B97F4A7C15u;
        h ^= h >> 29;
    }
    return h;
}

double distancia2(double dx, double dy, double dz) { return dx * dx + dy * dy + dz * dz; }

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
// une con él. Una rejilla de celdas de ocho tolerancias de lado guarda un
// representante por punto: cada nudo se compara con los representantes de su
// celda y, si está a menos de la tolerancia de un borde, con los de la vecina
// de ese lado; un nudo en un punto que ya tiene representante no se agrega
// (muchos nudos en un solo punto no cuestan más que uno). Los representantes
// distan más que la tolerancia, así que en una celda caben a lo sumo unos
// cientos: el costo sigue lineal aunque la tolerancia se acerque a la
// distancia entre nudos (un nudo mal escrito muy lejos agranda el modelo).
void avisarNudosEnUnPunto(lecturaArchivo& c, const double minimo[3], double tolerancia)
{
    const std::vector<filaNudo>& nudos = c.nudos;
    const double lado = tolerancia > 0 ? 8 * tolerancia : 1;
    std::unordered_map<std::uint64_t, int> cabeza;
    cabeza.reserve(nudos.size());
    std::vector<int> siguiente(nudos.size(), -1);
    avisosLimitados avisos("nudos en el mismo punto que otro");
    for (size_t p = 0; p < nudos.size(); p++) {
        const filaNudo& np = nudos[p];
        const double x[3] = {np.x - minimo[0], np.y - minimo[1], np.z - minimo[2]};
        std::int64_t celda[3];
        int desde[3], hasta[3];
        for (int e = 0; e < 3; e++) {
            celda[e] = celdaDe(x[e], lado);
            double enCelda = x[e] - static_cast<double>(celda[e]) * lado;
            desde[e] = enCelda <= tolerancia ? -1 : 0;
            hasta[e] = lado - enCelda <= tolerancia ? 1 : 0;
        }
        int representante = -1;
        for (int a = desde[0]; a <= hasta[0] && representante < 0; a++) {
            for (int b = desde[1]; b <= hasta[1] && representante < 0; b++) {
                for (int d = desde[2]; d <= hasta[2] && representante < 0; d++) {
                    const std::int64_t vecina[3] = {celda[0] + a, celda[1] + b, celda[2] + d};
                    auto it = cabeza.find(claveDeCelda(vecina));
                    for (int q = it == cabeza.end() ? -1 : it->second; q >= 0 && representante < 0;
                         q = siguiente[static_cast<size_t>(q)]) {
                        const filaNudo& n = nudos[static_cast<size_t>(q)];
                        if (distancia2(n.x - np.x, n.y - np.y, n.z - np.z) <=
                            tolerancia * tolerancia) {
                            representante = q;
                        }
                    }
                }
            }
        }
        if (representante < 0) {
            auto insertado = cabeza.emplace(claveDeCelda(celda), static_cast<int>(p));
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
        double largo = std::sqrt(distancia2(j.x - i.x, j.y - i.y, j.z - i.z));
        if (largo < fraccionBarraCorta * tamano && cortas.escribir()) {
            std::cout << "Advertencia: la barra " << c.lector.describir(b.token) << " mide "
                      << textoCorto(largo) << ", menos de una millonésima del tamaño del modelo ("
                      << textoCorto(tamano) << "); revisar sus nudos " << i.usuario << " y "
                      << j.usuario << std::endl;
        }
    }
    cortas.cerrar();
}

// Nudos que una rejilla reparte en celdas cúbicas; los de fuera de la caja
// (ampliada en una celda) no se guardan
class rejillaDeNudos {
public:
    rejillaDeNudos(const std::vector<filaNudo>& nudos, const cajaDeNudos& caja, double lado)
        : lado(lado)
    {
        // corrida del origen: los nudos de una grilla regular quedan lejos
        // de los bordes de sus celdas
        for (int e = 0; e < 3; e++) {
            origen[e] = caja.minimo[e] - 0.382 * lado;
        }
        std::vector<std::pair<std::uint64_t, int>> claves;
        for (size_t q = 0; q < nudos.size(); q++) {
            const double x[3] = {nudos[q].x, nudos[q].y, nudos[q].z};
            std::int64_t celda[3];
            bool dentro = true;
            for (int e = 0; e < 3 && dentro; e++) {
                dentro = x[e] >= caja.minimo[e] - lado && x[e] <= caja.maximo[e] + lado;
                celda[e] = indice(x[e], e);
            }
            if (dentro) {
                claves.push_back({claveDeCelda(celda), static_cast<int>(q)});
            }
        }
        std::sort(claves.begin(), claves.end());
        // tabla abierta de al menos el doble de celdas que nudos
        size_t tamano = 2;
        while (tamano < 2 * claves.size()) {
            tamano *= 2;
        }
        celdas.assign(tamano, {0, 0, 0});
        mascara = tamano - 1;
        filas.reserve(claves.size());
        for (size_t k = 0; k < claves.size(); k++) {
            if (k == 0 || claves[k].first != claves[k - 1].first) {
                size_t i = claves[k].first & mascara;
                while (celdas[i].cantidad > 0) {
                    i = (i + 1) & mascara;
                }
                celdas[i] = {claves[k].first, static_cast<int>(k), 0};
                ultima = i;
            }
            celdas[ultima].cantidad++;
            filas.push_back(claves[k].second);
        }
    }

    // Llama a f con cada nudo de las celdas que tocan la caja [desde, hasta],
    // de a lo sumo tres celdas por eje; false, sin llamarla, si toca más (con
    // coordenadas enormes frente a las celdas, que no distinguen sus índices)
    template <class F>
    bool recorrer(const double desde[3], const double hasta[3], F f) const
    {
        std::int64_t a[3], b[3];
        for (int e = 0; e < 3; e++) {
            a[e] = indice(desde[e], e);
            b[e] = indice(hasta[e], e);
            if (b[e] - a[e] > 4) {
                return false;
            }
        }
        std::int64_t celda[3];
        for (celda[0] = a[0]; celda[0] <= b[0]; celda[0]++) {
            for (celda[1] = a[1]; celda[1] <= b[1]; celda[1]++) {
                for (celda[2] = a[2]; celda[2] <= b[2]; celda[2]++) {
                    const std::uint64_t clave = claveDeCelda(celda);
                    size_t i = clave & mascara;
                    while (celdas[i].cantidad > 0 && celdas[i].clave != clave) {
                        i = (i + 1) & mascara;
                    }
                    for (int k = celdas[i].primera; k < celdas[i].primera + celdas[i].cantidad;
                         k++) {
                        f(filas[static_cast<size_t>(k)]);
                    }
                }
            }
        }
        return true;
    }

private:
    double lado;
    double origen[3];
    // celdas con nudos, por clave: sus nudos son filas[primera ...]; una
    // entrada sin nudos es libre
    struct celdaConNudos {
        std::uint64_t clave;
        int primera, cantidad;
    };
    std::vector<celdaConNudos> celdas;
    size_t mascara = 0;
    size_t ultima = 0;
    std::vector<int> filas;

    std::int64_t indice(double x, int e) const { return celdaDe(x - origen[e], lado); }
};

// Un nudo sobre el tramo de una barra, a s de su nudo inicial
struct nudoSobreBarra {
    double s;
    int fila;
    bool operator<(const nudoSobreBarra& o) const { return s < o.s; }
};

// Nudos que están sobre el tramo de una barra (a menos de fraccionSobreBarra
// de su largo del eje, lejos de sus extremos) y que la barra no une. Si otra
// barra de ese nudo sigue el eje de la primera, las dos se superponen; si no,
// la barra pasa por el nudo sin unirlo. Cada barra mira solo los nudos de las
// celdas que tocan sus trozos de una celda de largo; una barra que pasaría
// por más celdas que nudos hay, o cuya tolerancia pasa de una celda, mira
// todos los nudos.
void avisarNudosSobreBarras(lecturaArchivo& c, const cajaDeNudos& caja)
{
    const std::vector<filaNudo>& nudos = c.nudos;
    const std::vector<filaBarra>& barras = c.barras;
    if (barras.empty()) {
        return;
    }
    auto eje = [&](int i, int j, double d[3]) {
        const filaNudo& a = nudos[static_cast<size_t>(i)];
        const filaNudo& b = nudos[static_cast<size_t>(j)];
        d[0] = b.x - a.x;
        d[1] = b.y - a.y;
        d[2] = b.z - a.z;
        return std::sqrt(distancia2(d[0], d[1], d[2]));
    };
    std::vector<double> largos(barras.size());
    for (size_t r = 0; r < barras.size(); r++) {
        double d[3];
        largos[r] = eje(barras[r].inicio, barras[r].fin, d);
    }
    // Celdas del largo mediano, salvo que las barras más largas sumen
    // demasiados trozos (muchos enlaces cortos entre vigas largas): entonces
    // el menor largo que no pasa de un trozo por barra y por nudo, de media.
    // Una barra que pasaría por más celdas que nudos hay los mira todos, así
    // una sola barra absurdamente larga no agranda las celdas.
    const double tope = static_cast<double>(nudos.size());
    auto trozos = [&](double lado) {
        double t = 0;
        for (double l : largos) {
            t += std::max(1.0, std::min(l / lado, tope));
        }
        return t;
    };
    const double presupuesto = 2.0 * static_cast<double>(barras.size() + nudos.size());
    std::vector<double> orden = largos;
    const size_t medio = orden.size() / 2;
    std::nth_element(orden.begin(), orden.begin() + static_cast<long>(medio), orden.end());
    double lado = orden[medio];
    if (trozos(lado) > presupuesto) {
        std::sort(orden.begin() + static_cast<long>(medio), orden.end());
        size_t desde = medio, hasta = orden.size() - 1;
        while (desde < hasta) {
            size_t k = desde + (hasta - desde) / 2;
            if (trozos(orden[k]) > presupuesto) {
                desde = k + 1;
            } else {
                hasta = k;
            }
        }
        lado = orden[desde];
    }
    if (!std::isfinite(lado) || !(lado > 0)) {
        return;
    }
    rejillaDeNudos rejilla(nudos, caja, lado);

    // barras de cada nudo
    std::vector<int> desde(nudos.size() + 1, 0), deNudo(2 * barras.size());
    for (const filaBarra& b : barras) {
        desde[static_cast<size_t>(b.inicio) + 1]++;
        desde[static_cast<size_t>(b.fin) + 1]++;
    }
    for (size_t q = 0; q < nudos.size(); q++) {
        desde[q + 1] += desde[q];
    }
    std::vector<int> libre(desde.begin(), desde.end() - 1);
    for (size_t r = 0; r < barras.size(); r++) {
        deNudo[static_cast<size_t>(libre[static_cast<size_t>(barras[r].inicio)]++)] =
            static_cast<int>(r);
        deNudo[static_cast<size_t>(libre[static_cast<size_t>(barras[r].fin)]++)] =
            static_cast<int>(r);
    }

    avisosLimitados superpuestas("barras que se superponen a otras");
    avisosLimitados sinUnir("barras que pasan por nudos sin unirlos");
    std::unordered_set<unsigned long long> pares;
    std::vector<int> visto(nudos.size(), -1);
    std::vector<nudoSobreBarra> sobre;
    for (size_t r = 0; r < barras.size(); r++) {
        const filaBarra& m = barras[r];
        const filaNudo& a = nudos[static_cast<size_t>(m.inicio)];
        double d[3];
        const double largo = eje(m.inicio, m.fin, d);
        const double tolerancia = fraccionSobreBarra * largo;
        if (!std::isfinite(largo)) {
            continue;
        }
        // distancia del punto p al eje de la barra, y su abscisa s
        auto alEje = [&](const filaNudo& p, double& s) {
            double w[3] = {p.x - a.x, p.y - a.y, p.z - a.z};
            s = (w[0] * d[0] + w[1] * d[1] + w[2] * d[2]) / largo;
            double f = s / largo;
            return std::sqrt(distancia2(w[0] - f * d[0], w[1] - f * d[1], w[2] - f * d[2]));
        };
        sobre.clear();
        auto mirar = [&](int q) {
            int& v = visto[static_cast<size_t>(q)];
            if (v == static_cast<int>(r) || q == m.inicio || q == m.fin) {
                return;
            }
            v = static_cast<int>(r);
            double s = 0;
            if (alEje(nudos[static_cast<size_t>(q)], s) <= tolerancia && s > tolerancia &&
                s < largo - tolerancia) {
                sobre.push_back({s, q});
            }
        };
        const double enCeldas = largo / lado;
        bool enRejilla = tolerancia <= lado && enCeldas <= tope;
        const int k = enRejilla ? std::max(1, static_cast<int>(std::ceil(enCeldas))) : 0;
        const double p[3] = {a.x, a.y, a.z};
        for (int t = 0; t < k && enRejilla; t++) {
            double lo[3], hi[3];
            for (int e = 0; e < 3; e++) {
                double x0 = p[e] + d[e] * t / k, x1 = p[e] + d[e] * (t + 1) / k;
                lo[e] = std::min(x0, x1) - tolerancia;
                hi[e] = std::max(x0, x1) + tolerancia;
            }
            enRejilla = rejilla.recorrer(lo, hi, mirar);
        }
        for (size_t q = 0; q < nudos.size() && !enRejilla; q++) {
            mirar(static_cast<int>(q));
        }
        if (sobre.empty()) {
            continue;
        }
        std::sort(sobre.begin(), sobre.end());
        // la barra de un nudo sobre el tramo que sigue el eje se superpone
        std::vector<int> otras, nudosSinUnir;
        for (const nudoSobreBarra& n : sobre) {
            bool superpuesta = false;
            for (int k = desde[static_cast<size_t>(n.fila)];
                 k < desde[static_cast<size_t>(n.fila) + 1]; k++) {
                int o = deNudo[static_cast<size_t>(k)];
                const filaBarra& b = barras[static_cast<size_t>(o)];
                int otro = b.inicio == n.fila ? b.fin : b.inicio;
                double s = 0;
                if (o == static_cast<int>(r) ||
                    alEje(nudos[static_cast<size_t>(otro)], s) >
                        fraccionSobreBarra * largos[static_cast<size_t>(o)]) {
                    continue;
                }
                superpuesta = true;
                if (pares.insert(clavePar(static_cast<int>(r), o)).second) {
                    otras.push_back(b.usuario);
                }
            }
            if (!superpuesta) {
                nudosSinUnir.push_back(nudos[static_cast<size_t>(n.fila)].usuario);
            }
        }
        const int ni = nudos[static_cast<size_t>(m.inicio)].usuario;
        const int nj = nudos[static_cast<size_t>(m.fin)].usuario;
        if (!otras.empty()) {
            std::sort(otras.begin(), otras.end());
            superpuestas.salida()
                << "Advertencia: la barra " << c.lector.describir(m.token) << ", entre los nudos "
                << ni << " y " << nj << ", se superpone a "
                << (otras.size() == 1 ? "la barra " : "las barras ") << listaDeNumeros(otras)
                << "; su rigidez y su peso propio cuentan dos veces donde se superponen"
                << std::endl;
        }
        if (nudosSinUnir.empty()) {
            continue;
        }
        std::ostream& aviso = sinUnir.salida();
        if (nudosSinUnir.size() == 1) {
            const size_t q = static_cast<size_t>(c.mapaNudos.filaDe(nudosSinUnir[0]));
            aviso << "Advertencia: el nudo " << c.lector.describir(nudos[q].token)
                  << " está sobre la barra ";
        } else {
            aviso << "Advertencia: los nudos " << listaDeNumeros(nudosSinUnir)
                  << " están sobre la barra ";
        }
        const bool uno = nudosSinUnir.size() == 1;
        aviso << c.lector.describir(m.token) << ", entre sus nudos " << ni << " y " << nj
              << ", y la barra pasa por " << (uno ? "él sin unirlo" : "ellos sin unirlos")
              << "; si deben unirse, partir la barra en " << (uno ? "ese nudo" : "esos nudos")
              << std::endl;
    }
    superpuestas.cerrar();
    sinUnir.cerrar();
}

}  // namespace

avisosLimitados& lecturaArchivo::avisos(const std::string& resumen)
{
    for (std::unique_ptr<avisosLimitados>& a : limitados) {
        if (a->getResumen() == resumen) {
            return *a;
        }
    }
    limitados.push_back(std::make_unique<avisosLimitados>(resumen));
    return *limitados.back();
}

void lecturaArchivo::cerrarAvisos()
{
    for (std::unique_ptr<avisosLimitados>& a : limitados) {
        a->cerrar();
    }
    limitados.clear();
}

void revisarGeometria(lecturaArchivo& c)
{
    if (c.nudos.empty()) {
        return;
    }
    // El tamaño del modelo es el de los nudos que usan las barras: un nudo
    // de referencia lejano (coordenadas UTM) no lo agranda
    cajaDeNudos caja;
    for (const filaBarra& b : c.barras) {
        caja.agregar(c.nudos[static_cast<size_t>(b.inicio)]);
        caja.agregar(c.nudos[static_cast<size_t>(b.fin)]);
    }
    if (caja.vacia) {
        for (const filaNudo& n : c.nudos) {
            caja.agregar(n);
        }
    }
    const double tamano = caja.diagonal();
    if (!std::isfinite(tamano)) {
        return;
    }
    // dos nudos que difieren en el redondeo de sus coordenadas también están
    // en el mismo punto
    const double redondeo = 8 * std::numeric_limits<double>::epsilon() * caja.magnitud();
    avisarNudosEnUnPunto(c, caja.minimo, std::max(fraccionMismoPunto * tamano, redondeo));
    avisarBarras(c, tamano);
    avisarNudosSobreBarras(c, caja);
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
