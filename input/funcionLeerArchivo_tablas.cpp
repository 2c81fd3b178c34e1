// Tablas de nudos y barras, mapas de numeración y números de usuario.
#include <algorithm>
#include <climits>
#include <cmath>
#include <iostream>
#include <map>
#include <sstream>
#include <unordered_map>

#include "app/plataforma.h"
#include "input/funcionLeerArchivo_interno.h"

namespace lectura {

// Tope de los números de usuario: los de un int. El mapa de numeración,
// además, debe caber en la memoria (descartarSiNoCabe).
const int maximoNumeroUsuario = INT_MAX;

std::string texto(double v)
{
    std::ostringstream os;
    os.precision(15);
    os << v;
    return os.str();
}

int numeroUsuario(double v)
{
    if (!(v > -1.0) || !(v < maximoNumeroUsuario + 1.0)) {
        return -1;
    }
    return static_cast<int>(v);
}

std::string listaDeNumeros(const std::vector<int>& numeros)
{
    const size_t mostrados = 10;
    std::string s;
    for (size_t k = 0; k < numeros.size() && k < mostrados; k++) {
        s += (k ? " " : "") + std::to_string(numeros[k]);
    }
    if (numeros.size() > mostrados) {
        s += " y " + std::to_string(numeros.size() - mostrados) + " más";
    }
    return s;
}

bool avisosLimitados::escribir()
{
    const int maximo = 20;
    if (escritos < maximo) {
        escritos++;
        return true;
    }
    callados++;
    return false;
}

std::ostream& avisosLimitados::salida()
{
    // sin búfer: lo que se le escribe se descarta
    static std::ostream descartada(nullptr);
    return escribir() ? std::cout : descartada;
}

void avisosLimitados::cerrar()
{
    if (callados > 0) {
        std::cout << "Advertencia: y " << callados << " avisos más de " << resumen
                  << ", que no se escriben" << std::endl;
    }
    escritos = callados = 0;
}

void lecturaArchivo::anotarCaso(const std::string& caso, size_t token)
{
    if (casosAplicados.insert(caso).second) {
        casos.push_back({caso, token});
    }
}

std::string etiquetaPegada(const lecturaArchivo& c, const std::string& texto)
{
    std::string pegada;
    for (const std::string& e : c.etiquetas) {
        if (texto.size() > e.size() && texto.compare(0, e.size(), e) == 0 &&
            e.size() > pegada.size()) {
            pegada = e;
        }
    }
    return pegada;
}

std::string nombrar(lecturaArchivo& c, size_t token)
{
    std::string d = c.lector.describir(token);
    std::string t = c.lector.getTexto(token);
    std::string pegada = etiquetaPegada(c, t);
    // con un carácter invisible tras la etiqueta, describir ya lo dice
    if (!pegada.empty() && claseLeerArchivo::largoInvisible(t, pegada.size()) == 0) {
        d.insert(d.size() - 1, ", falta un espacio después de " + pegada);
    }
    return d;
}

std::string sigueLaEtiqueta(lecturaArchivo& c, size_t token)
{
    return ": lo que sigue es la etiqueta " + c.lector.describir(token);
}

bool finAjeno(lecturaArchivo& c, const corridaLeida& r)
{
    if (r.motivo == finCorrida::archivo || r.motivo == finCorrida::sinPalabra ||
        r.motivo == finCorrida::etiquetaTrasFactor) {
        return false;
    }
    if (r.motivo == finCorrida::dosPuntos && c.esEtiqueta(c.lector.getTexto(r.fin))) {
        return false;
    }
    c.lector.marcarNombrado(r.fin);
    return true;
}

void avisarSiNoEsEntero(lecturaArchivo& c, const mapaUsuario& mapa, size_t t, double v, int u,
                        const std::string& etiqueta, avisosLimitados& noEnteros)
{
    if (v != std::trunc(v) && noEnteros.escribir()) {
        std::cout << "Advertencia: " << mapa.clase << " " << c.lector.describir(t) << " de "
                  << etiqueta << " no es un número entero; se toma como " << u << std::endl;
    }
}

int filaQueNombra(lecturaArchivo& c, size_t t, double v, const mapaUsuario& mapa,
                  const std::string& etiqueta, avisosLimitados& noEnteros)
{
    int u = numeroUsuario(v);
    int fila = mapa.filaDe(u);
    if (fila < 0) {
        c.avisos(std::string("números de ") + etiqueta + " que no están en el modelo").salida()
            << "Advertencia: " << mapa.clase << " " << c.lector.describir(t) << " de " << etiqueta
            << " no está en el modelo; se omite" << std::endl;
        return -1;
    }
    avisarSiNoEsEntero(c, mapa, t, v, u, etiqueta, noEnteros);
    return fila;
}

namespace {

// Dónde empiezan las filas de una tabla frente a sus líneas. Valen las
// líneas de filas enteras (una, dos o todas las filas en una línea) y las
// filas partidas en líneas con un mismo corte fila tras fila (un número por
// línea, el número del nudo en una y x y z en la siguiente). Se nombran una
// línea que pasa de una fila a otra sin tener filas enteras (una fila empieza
// en medio de ella: una columna de más o de menos) y una fila partida de otro
// modo que las demás.
void revisarLineasDeTabla(lecturaArchivo& c, const tablaLeida& t, size_t columnas)
{
    const corridaLeida& r = t.corrida;
    const bool leida = t.matriz.rows() > 0;
    const size_t completas = r.valores.size() / columnas;
    std::string tabla = c.lector.getTexto(r.etiqueta);
    int primera = -1;
    size_t numerosPrimera = 0;
    int otras = 0;
    // cortes de cada fila partida: los números de cada una de sus líneas
    std::vector<std::vector<size_t>> cortes(completas);
    size_t i = r.primero;
    while (i < r.fin) {
        int linea = c.lector.getLinea(i);
        size_t desde = i - r.primero;
        while (i < r.fin && c.lector.getLinea(i) == linea) {
            i++;
        }
        size_t n = i - r.primero - desde;
        bool enteras = desde % columnas == 0 && n % columnas == 0;
        bool enUnaFila = desde / columnas == (desde + n - 1) / columnas;
        if (!enteras && enUnaFila && desde / columnas < completas) {
            cortes[desde / columnas].push_back(n);
        } else if (!enteras && !enUnaFila) {
            if (primera < 0) {
                primera = linea;
                numerosPrimera = n;
            } else {
                otras++;
            }
        }
    }
    const std::string deCorrido = leida ? "; las filas se leen de corrido, de " +
                                              std::to_string(columnas) + " en " +
                                              std::to_string(columnas)
                                        : "";
    if (primera >= 0) {
        std::cout << "Advertencia: la línea " << primera << " de la tabla " << tabla << " tiene "
                  << numerosPrimera << (numerosPrimera == 1 ? " número" : " números")
                  << " y una fila tiene " << columnas;
        if (otras > 0) {
            std::cout << " (y " << otras << (otras == 1 ? " línea más así)" : " líneas más así)");
        }
        std::cout << deCorrido << std::endl;
        return;
    }
    // el corte de la mayoría de las filas partidas (a igual cuenta, el primero)
    std::map<std::vector<size_t>, size_t> cuenta;
    const std::vector<size_t>* comun = nullptr;
    for (const std::vector<size_t>& k : cortes) {
        if (!k.empty() && ++cuenta[k] > (comun ? cuenta[*comun] : 0)) {
            comun = &k;
        }
    }
    size_t distinta = completas;
    int distintas = 0;
    for (size_t f = 0; f < completas && comun; f++) {
        if (!cortes[f].empty() && cortes[f] != *comun && distintas++ == 0) {
            distinta = f;
        }
    }
    if (distintas == 0) {
        return;
    }
    auto partida = [](const std::vector<size_t>& k) {
        std::string s;
        for (size_t n : k) {
            s += (s.empty() ? "" : " + ") + std::to_string(n);
        }
        return s;
    };
    std::cout << "Advertencia: la fila " << distinta + 1 << " de la tabla " << tabla << " (línea "
              << c.lector.getLinea(r.tokenValor(distinta * columnas))
              << ") está partida en líneas de " << partida(cortes[distinta])
              << " números y las demás filas partidas en líneas de " << partida(*comun);
    if (distintas > 1) {
        std::cout << " (y " << distintas - 1 << (distintas == 2 ? " fila más así)" : " filas más así)");
    }
    std::cout << deCorrido << std::endl;
}

// Tabla de nudos o barras con sus avisos: la fila donde se corta, el token
// ajeno que la termina y las líneas que no tienen filas enteras
tablaLeida leerTabla(lecturaArchivo& c, const char* etiqueta, int columnas)
{
    tablaLeida t = c.lector.getTabla(etiqueta, columnas);
    const corridaLeida& r = t.corrida;
    if (!r.existe) {
        return t;
    }
    const size_t ancho = static_cast<size_t>(columnas);
    const size_t cantidad = r.valores.size();
    bool ajeno = finAjeno(c, r);
    std::string tabla = std::string("la tabla ") + etiqueta + " (línea " +
                        std::to_string(c.lector.getLinea(r.etiqueta)) + ")";
    if (cantidad % ancho != 0) {
        size_t fila = cantidad / ancho;
        std::cout << "Advertencia: " << tabla << " se corta en la fila " << fila + 1 << " (línea "
                  << c.lector.getLinea(r.tokenValor(fila * ancho)) << "), con "
                  << cantidad % ancho << " de sus " << ancho << " valores, ";
        if (ajeno) {
            std::cout << "donde termina en " << nombrar(c, r.fin) << noEsNumeroNiEtiqueta;
        } else if (r.motivo == finCorrida::archivo) {
            std::cout << "al final del archivo";
        } else {
            std::cout << "donde sigue " << c.lector.describir(r.fin);
        }
        std::cout << "; no se lee ninguna fila" << std::endl;
    } else if (ajeno) {
        std::cout << "Advertencia: " << tabla << " termina en " << nombrar(c, r.fin)
                  << noEsNumeroNiEtiqueta << "; lo que sigue no se lee" << std::endl;
    }
    revisarLineasDeTabla(c, t, ancho);
    return t;
}

// Bytes en la línea de memoria: MB enteros, o GB con un decimal desde 1 GB;
// lo que se necesita, redondeado hacia arriba, y lo que hay, hacia abajo
std::string megas(double bytes, bool haciaArriba)
{
    double mb = bytes / 1e6;
    if (mb >= 1000) {
        std::ostringstream os;
        os.setf(std::ios::fixed);
        os.precision(1);
        os << (haciaArriba ? std::ceil(mb / 100) / 10 : std::floor(mb / 100) / 10) << " GB";
        return os.str();
    }
    return texto(haciaArriba ? std::ceil(mb) : std::floor(mb)) + " MB";
}

// El mapa de numeración de la tabla (4 bytes por número, hasta el mayor) debe
// caber en la memoria disponible (que ya descuenta el mapa de nudos cuando se
// lee la tabla de barras): si no cabe, se descartan las filas de número mayor
// que el que cabe
void descartarSiNoCabe(lecturaArchivo& c, std::vector<int>& numeros, size_t primero, size_t ancho,
                       const mapaUsuario& mapa, const char* etiqueta)
{
    size_t filaMayor = numeros.size();
    for (size_t r = 0; r < numeros.size(); r++) {
        if (numeros[r] >= 0 && (filaMayor == numeros.size() || numeros[r] > numeros[filaMayor])) {
            filaMayor = r;
        }
    }
    const double disponible = memoriaDisponible();
    if (filaMayor == numeros.size() || disponible <= 0) {
        return;
    }
    const double necesita = 4.0 * (static_cast<double>(numeros[filaMayor]) + 1.0);
    if (necesita <= disponible) {
        return;
    }
    const double tope = std::floor(disponible / 4) - 1;
    int descartadas = 0;
    for (int& u : numeros) {
        if (u > tope) {
            u = -1;
            descartadas++;
        }
    }
    std::cout << "Advertencia: memoria insuficiente: numerar hasta " << mapa.clase << " "
              << c.lector.describir(primero + filaMayor * ancho) << " necesita "
              << megas(necesita, true) << " y hay " << megas(disponible, false)
              << " disponibles; se descartan las filas de " << etiqueta << " con número mayor que "
              << texto(std::max(tope, -1.0)) << " (" << descartadas
              << (descartadas == 1 ? " fila)" : " filas)") << std::endl;
}

// Filas con número válido y sin repetir: de un número repetido queda la última.
// primero es el token del primer valor de la tabla.
std::vector<int> filasValidas(lecturaArchivo& c, const MatrixXd& tabla, size_t primero,
                              const mapaUsuario& mapa, const char* etiqueta)
{
    const size_t ancho = static_cast<size_t>(tabla.cols());
    auto token = [&](Eigen::Index r) { return primero + static_cast<size_t>(r) * ancho; };
    std::vector<int> numeros(static_cast<size_t>(tabla.rows()), -1);
    avisosLimitados noEnteros("números de usuario que no son enteros");
    for (Eigen::Index r = 0; r < tabla.rows(); r++) {
        double v = tabla(r, 0);
        int u = numeroUsuario(v);
        if (u < 0) {
            c.avisos(std::string("filas de ") + etiqueta + " con un número fuera de rango")
                    .salida()
                << "Advertencia: " << mapa.clase << " " << c.lector.describir(token(r)) << " de "
                << etiqueta << " está fuera del rango 0 a " << maximoNumeroUsuario
                << "; se descarta la fila" << std::endl;
            continue;
        }
        avisarSiNoEsEntero(c, mapa, token(r), v, u, etiqueta, noEnteros);
        numeros[static_cast<size_t>(r)] = u;
    }
    noEnteros.cerrar();
    descartarSiNoCabe(c, numeros, primero, ancho, mapa, etiqueta);
    std::unordered_map<int, Eigen::Index> ultima;
    for (Eigen::Index r = 0; r < tabla.rows(); r++) {
        if (numeros[static_cast<size_t>(r)] >= 0) {
            ultima[numeros[static_cast<size_t>(r)]] = r;
        }
    }
    std::vector<int> filas;
    for (Eigen::Index r = 0; r < tabla.rows(); r++) {
        int u = numeros[static_cast<size_t>(r)];
        if (u < 0) {
            continue;
        }
        if (ultima[u] != r) {
            c.avisos(std::string("números repetidos en ") + etiqueta).salida()
                << "Advertencia: " << mapa.clase << " " << u << " (línea "
                << c.lector.getLinea(token(r)) << ") aparece más de una vez en " << etiqueta
                << "; queda su fila " << ultima[u] + 1 << " (línea "
                << c.lector.getLinea(token(ultima[u])) << ")" << std::endl;
            continue;
        }
        filas.push_back(static_cast<int>(r));
    }
    c.cerrarAvisos();
    return filas;
}

}  // namespace

std::vector<filaNudo> leerTablaNudos(lecturaArchivo& c)
{
    tablaLeida leida = leerTabla(c, etiquetaNudos, 4);
    const MatrixXd& tabla = leida.matriz;
    const size_t primero = leida.corrida.primero;
    std::vector<filaNudo> nudos;
    for (int r : filasValidas(c, tabla, primero, c.mapaNudos, etiquetaNudos)) {
        nudos.push_back({numeroUsuario(tabla(r, 0)), tabla(r, 1), tabla(r, 2), tabla(r, 3),
                         primero + 4 * static_cast<size_t>(r)});
    }
    return nudos;
}

// Tabla de barras: quedan las que unen dos nudos existentes en puntos
// distintos. Anota los pares de nudos que une cada fila con sus dos nudos.
std::vector<filaBarra> leerTablaBarras(lecturaArchivo& c)
{
    tablaLeida leida = leerTabla(c, etiquetaBarras, 3);
    const MatrixXd& tabla = leida.matriz;
    const size_t primero = leida.corrida.primero;
    std::vector<filaBarra> barras;
    std::vector<int> filas = filasValidas(c, tabla, primero, c.mapaBarras, etiquetaBarras);
    if (c.nudos.empty() && !filas.empty()) {
        std::cout << "Advertencia: no hay nudos; se descarta la tabla barras: (línea "
                  << c.lector.getLinea(leida.corrida.etiqueta) << ", " << filas.size()
                  << (filas.size() == 1 ? " fila)" : " filas)")
                  << std::endl;
        return barras;
    }
    avisosLimitados noEnteros("números de nudos que no son enteros");
    for (int r : filas) {
        size_t t = primero + 3 * static_cast<size_t>(r);
        int u = numeroUsuario(tabla(r, 0));
        int ij[2];
        bool faltan = false;
        for (int e = 0; e < 2 && !faltan; e++) {
            double v = tabla(r, 1 + e);
            int n = numeroUsuario(v);
            ij[e] = c.mapaNudos.filaDe(n);
            if (ij[e] < 0) {
                c.avisos("filas de barras: con un nudo que no está en nudos:").salida()
                    << "Advertencia: la barra " << c.lector.describir(t)
                    << " de barras: usa el nudo " << c.lector.getTexto(t + 1 + e)
                    << ", que no está en nudos:; se descarta" << std::endl;
                faltan = true;
            } else {
                avisarSiNoEsEntero(c, c.mapaNudos, t + 1 + e, v, n, etiquetaBarras, noEnteros);
            }
        }
        if (faltan) {
            continue;
        }
        int i = ij[0], j = ij[1];
        c.uniones.push_back(clavePar(i, j));
        const filaNudo& a = c.nudos[static_cast<size_t>(i)];
        const filaNudo& b = c.nudos[static_cast<size_t>(j)];
        double dx = b.x - a.x, dy = b.y - a.y, dz = b.z - a.z;
        if (dx * dx + dy * dy + dz * dz == 0) {
            c.avisos("filas de barras: con sus dos nudos en un mismo punto").salida()
                << "Advertencia: la barra " << c.lector.describir(t) << " de barras: une los nudos "
                << a.usuario << " y " << b.usuario << ", que coinciden en el espacio; se descarta"
                << std::endl;
            continue;
        }
        barras.push_back({u, i, j, t});
    }
    noEnteros.cerrar();
    c.cerrarAvisos();
    std::sort(c.uniones.begin(), c.uniones.end());
    return barras;
}

Eigen::VectorXi punteroDeNumeros(const std::vector<int>& numeros)
{
    int mayor = -1;
    for (int u : numeros) {
        mayor = std::max(mayor, u);
    }
    Eigen::VectorXi puntero = Eigen::VectorXi::Zero(static_cast<Eigen::Index>(mayor) + 1);
    for (size_t r = 0; r < numeros.size(); r++) {
        puntero(numeros[r]) = static_cast<int>(r);
    }
    return puntero;
}

}  // namespace lectura
