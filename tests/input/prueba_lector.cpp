// Lector de etiquetas: las consultas de corrida, tabla y valor sobre archivos
// pequeños (lo que dan, dónde y por qué terminan, la línea de cada token y lo
// que queda marcado), y las consultas con nombre del formato, que las envuelven.
#include <cstdio>
#include <functional>
#include <sstream>

#include <gtest/gtest.h>

#include "comun/utilidades.h"
#include "input/claseLeerArchivo.h"

namespace
{

using L = claseLeerArchivo;
using consulta = std::function<std::string(L&)>;

std::string unir(const std::vector<double>& v)
{
    std::ostringstream os;
    for (size_t i = 0; i < v.size(); i++) {
        os << (i ? " " : "") << v[i];
    }
    return os.str();
}

std::string unir(const std::vector<std::string>& v)
{
    std::string s;
    for (size_t i = 0; i < v.size(); i++) {
        s += (i ? " " : "") + v[i];
    }
    return s;
}

// "filas x columnas: valores fila por fila"
std::string unir(const MatrixXd& m)
{
    std::ostringstream os;
    os << m.rows() << "x" << m.cols() << ":";
    for (Eigen::Index i = 0; i < m.rows(); i++) {
        for (Eigen::Index j = 0; j < m.cols(); j++) {
            os << " " << m(i, j);
        }
    }
    return os.str();
}

// Resultados de varias consultas separados por "|"; una lista entre llaves
// se evalúa de izquierda a derecha, así las consultas corren en orden
std::string junto(std::initializer_list<std::string> partes)
{
    std::string s;
    bool primera = true;
    for (const std::string& p : partes) {
        s += (primera ? "" : "|") + p;
        primera = false;
    }
    return s;
}

// Un token con su línea: "2.5e@3"
std::string conLinea(L& l, size_t t) { return l.getTexto(t) + "@" + std::to_string(l.getLinea(t)); }

// Los tokens de desde a hasta (sin incluirlo), con su línea
std::string tramo(L& l, size_t desde, size_t hasta)
{
    std::string s;
    for (size_t t = desde; t < hasta; t++) {
        s += (t > desde ? " " : "") + conLinea(l, t);
    }
    return s;
}

const char* nombreDelMotivo(finCorrida m)
{
    switch (m) {
    case finCorrida::archivo: return "archivo";
    case finCorrida::dosPuntos: return "dosPuntos";
    case finCorrida::ajeno: return "ajeno";
    case finCorrida::sinPalabra: return "sinPalabra";
    case finCorrida::etiquetaTrasFactor: return "etiquetaTrasFactor";
    }
    return "?";
}

// "b:@1 N1@1 | 1@1 2@2 | x@2 ajeno": la aparición y los saltados, la corrida
// (en los pares, factor y palabra alternados) y el token que la terminó. Los
// valores se escriben como números y se comparan con su token.
std::string corrida(L& l, const corridaLeida& r)
{
    if (!r.existe) {
        EXPECT_EQ(r.primero, l.getCantidadDeTokens());
        return "sin aparición";
    }
    EXPECT_EQ(r.primero, r.etiqueta + 1 + r.saltados);
    if (r.clase == claseCorrida::pares) {
        EXPECT_EQ(r.valores.size(), r.palabras.size());
    }
    std::ostringstream os;
    os << tramo(l, r.etiqueta, r.primero) << " |";
    for (size_t i = 0; i < r.valores.size(); i++) {
        double v = 0;
        EXPECT_TRUE(l.getNumero(r.tokenValor(i), v) && v == r.valores[i]) << i;
        os << " " << r.valores[i] << "@" << l.getLinea(r.tokenValor(i));
        if (r.clase == claseCorrida::pares) {
            EXPECT_EQ(l.getTexto(r.tokenPalabra(i)), r.palabras[i]);
            os << " " << conLinea(l, r.tokenPalabra(i));
        }
    }
    os << " | ";
    if (r.fin == l.getCantidadDeTokens()) {
        os << "fin del archivo";
    } else {
        os << conLinea(l, r.fin) << " " << nombreDelMotivo(r.motivo);
    }
    return os.str();
}

// "1x4: 1 0 0 0 | otras nudos:@2 | " y la corrida
std::string tabla(L& l, const tablaLeida& t)
{
    std::string otras;
    for (size_t o : t.otras) {
        otras += " " + conLinea(l, o);
    }
    return unir(t.matriz) + (otras.empty() ? "" : " | otras" + otras) + " | " +
           corrida(l, t.corrida);
}

// "5 de 5.9@2 | antes precision:@1 3.7@1": el valor tomado y su token, o por
// qué no hay valor, y las apariciones anteriores, que no cuentan
std::string valor(L& l, const valorLeido& v)
{
    std::ostringstream os;
    if (v.estado == 0) {
        os << "sin la etiqueta";
    } else if (v.estado == 1) {
        os << "sin valor tras " << conLinea(l, v.token);
    } else if (!v.valido) {
        os << "no válido: " << conLinea(l, v.token);
    } else {
        os << v.valor << " de " << conLinea(l, v.token);
    }
    for (size_t k = 0; k + 1 < v.apariciones.size(); k++) {
        os << (k == 0 ? " | antes " : ", ")
           << tramo(l, v.apariciones[k].first, v.apariciones[k].second + 1);
    }
    return os.str();
}

consulta corr(const char* etiqueta, int n, int k, claseCorrida clase = claseCorrida::numeros,
              std::unordered_set<std::string> etiquetas = {})
{
    return [=](L& l) {
        const std::unordered_set<std::string>* dadas = etiquetas.empty() ? nullptr : &etiquetas;
        return corrida(l, l.getCorrida(etiqueta, n, k, clase, dadas));
    };
}

consulta tab(const char* etiqueta, int columnas)
{
    return [=](L& l) { return tabla(l, l.getTabla(etiqueta, columnas)); };
}

consulta val(const char* etiqueta, claseValor clase)
{
    return [=](L& l) { return valor(l, l.getValor(etiqueta, clase)); };
}

// Varias consultas en orden, con sus resultados separados por " || "
consulta enOrden(std::vector<consulta> consultas)
{
    return [=](L& l) {
        std::string s;
        for (size_t i = 0; i < consultas.size(); i++) {
            s += (i ? " || " : "") + consultas[i](l);
        }
        return s;
    };
}

// Lo que quedó de cada token al final: '.' sin leer, 'l' leído, 'n' nombrado
std::string marcas(L& l)
{
    std::string s;
    for (size_t t = 0; t < l.getCantidadDeTokens(); t++) {
        estadoToken e = l.getEstado(t);
        s += e == estadoToken::sinLeer ? '.' : e == estadoToken::leido ? 'l' : 'n';
    }
    return s;
}

struct casoLector {
    const char* nombre;
    std::string contenido;
    consulta consultar;
    std::string resultado;
    std::string marcas;
    std::string salida;  // lo que escriben las consultas
};

// Cada caso sobre un lector nuevo; sin salto de línea final se lee igual
void probarCasos(const std::vector<casoLector>& casos)
{
    for (const casoLector& c : casos) {
        SCOPED_TRACE(c.nombre);
        claseLeerArchivo lector;
        std::string ruta = archivoTemporal(c.contenido);
        lector.setNombreArchivo(ruta);
        std::string resultado;
        std::string salida = capturarSalida([&] { resultado = c.consultar(lector); });
        EXPECT_EQ(resultado, c.resultado);
        EXPECT_EQ(marcas(lector), c.marcas);
        EXPECT_EQ(salida, c.salida);
        if (!c.contenido.empty() && c.contenido.back() == '\n') {
            std::string sinFinal = archivoTemporal(c.contenido.substr(0, c.contenido.size() - 1));
            claseLeerArchivo otro;
            otro.setNombreArchivo(sinFinal);
            std::string r;
            capturarSalida([&] { r = c.consultar(otro); });
            EXPECT_EQ(r, c.resultado) << "sin salto final";
            EXPECT_EQ(marcas(otro), c.marcas) << "sin salto final";
            std::remove(sinFinal.c_str());
        }
        std::remove(ruta.c_str());
    }
}

const claseCorrida pares = claseCorrida::pares;
const claseValor entero = claseValor::entero;
const claseValor real = claseValor::real;
const std::string faltanDatos = "Faltan datos para completar la matriz nudos:\n";

} // namespace

TEST(Lector, CorridasTablasYValores)
{
    const std::string combosAlFinal = "combo: C0 1 X\ncombo:\nC1 1.2 D\n1.6 2";
    probarCasos({
        // etiquetas: token entero, sensible a mayúsculas
        {"etiqueta con otra mayúscula, espacio o valor pegado",
         "Nudos: 1 0 0 0\nnudos : 2 0 0 0\nnudos:3 0 0 0\n", corr("nudos:", 1, 0),
         "sin aparición", "...............", ""},
        {"etiqueta dentro de otro bloque también cuenta", "combo: nudos: 1 D\nnudos: 4\n",
         enOrden({corr("nudos:", 1, 0), corr("nudos:", 2, 0)}),
         "nudos:@1 | 1@1 | D@1 ajeno || nudos:@2 | 4@2 | fin del archivo", ".ll.ll", ""},
        // corridas numéricas
        {"corrida a través de líneas", "nudos:\n1 0 0\n0\n2 6 0 0\nbarras: 1 1 2\n",
         tab("nudos:", 4),
         "2x4: 1 0 0 0 2 6 0 0 | nudos:@1 | 1@2 0@2 0@2 0@3 2@4 6@4 0@4 0@4 | barras:@5 dosPuntos",
         "lllllllll....", ""},
        {"espacios de toda clase separan tokens; \\v y \\f no terminan la línea",
         "nudos:\t1\r\n0\v0\f0", tab("nudos:", 4),
         "1x4: 1 0 0 0 | nudos:@1 | 1@1 0@2 0@2 0@2 | fin del archivo",
         "lllll", ""},
        {"CR solo y CRLF terminan una línea", "b: N1 1\n2 x b: N2\r\n3\rc: A 1 D\n2 L c: B 1.5\n",
         enOrden({corr("b:", 1, 1), corr("b:", 2, 1), corr("c:", 1, 1, pares),
                  corr("c:", 2, 1, pares), corr("c:", 3, 1, pares)}),
         "b:@1 N1@1 | 1@1 2@2 | x@2 ajeno || b:@2 N2@2 | 3@3 | c:@4 dosPuntos || "
         "c:@4 A@4 | 1@4 D@4 2@5 L@5 | c:@5 dosPuntos || c:@5 B@5 | | 1.5@5 sinPalabra || "
         "sin aparición",
         "llll.lllllllllll.", ""},
        {"número suelto tras la última fila: la tabla no completa filas",
         "nudos:\n1 0 0 0\n2 6 0 0\n7\n", tab("nudos:", 4),
         "0x0: | nudos:@1 | 1@2 0@2 0@2 0@2 2@3 6@3 0@3 0@3 7@4 | fin del archivo", "llllllllll",
         faltanDatos},
        {"exponente en mayúscula corta la corrida", "nudos: 1 0 0 0 2 2.1E5 0 0\n",
         tab("nudos:", 4), "0x0: | nudos:@1 | 1@1 0@1 0@1 0@1 2@1 | 2.1E5@1 ajeno", "llllll...",
         faltanDatos},
        {"exponente en mayúscula en el borde de una fila", "nudos: 1 0 0 0 2.1E5 0 0 0\n",
         tab("nudos:", 4), "1x4: 1 0 0 0 | nudos:@1 | 1@1 0@1 0@1 0@1 | 2.1E5@1 ajeno",
         "lllll....", ""},
        {"etiqueta seguida de una palabra", "nudos: a 1 0 0 0\n", tab("nudos:", 4),
         "0x4: | nudos:@1 | | a@1 ajeno", "l.....", ""},
        {"etiqueta de tabla ausente", "barras: 1 1 2\n", tab("nudos:", 4),
         "0x4: | sin aparición", "....", ""},
        {"tabla repetida: la primera, y las demás apariciones nombradas",
         "nudos: 1 0 0 0\nnudos: 2 0 0 0 3 0 0 0\n", tab("nudos:", 4),
         "1x4: 1 0 0 0 | otras nudos:@2 | nudos:@1 | 1@1 0@1 0@1 0@1 | nudos:@2 dosPuntos",
         "llllln........",
         "Advertencia: la etiqueta nudos: aparece 2 veces (líneas 1 y 2); se usa la primera "
         "tabla\n"},
        {"números que la conversión lee enteros", "x: 2.5e3 3.7 -.5 +4 1e-400 5.\n",
         corr("x:", 1, 0), "x:@1 | 2500@1 3.7@1 -0.5@1 4@1 0@1 5@1 | fin del archivo", "lllllll",
         ""},
        // caracteres de número que la conversión no usa enteros: no es un número
        {"2.5e, 1-2, 1..6 y 5- cortan la corrida",
         "x: 1 2.5e 3\ny: 4 1-2 5\nz: 6 1..6 7\nw: 8 5- 9\n",
         enOrden({corr("x:", 1, 0), corr("y:", 1, 0), corr("z:", 1, 0), corr("w:", 1, 0)}),
         "x:@1 | 1@1 | 2.5e@1 ajeno || y:@2 | 4@2 | 1-2@2 ajeno || z:@3 | 6@3 | 1..6@3 ajeno || "
         "w:@4 | 8@4 | 5-@4 ajeno",
         "ll..ll..ll..ll..", ""},
        {"signo suelto, punto suelto y 1e999 cortan", "a: 1 - 0\nb: 1 . 0\nc: 1 1e999 2\n",
         enOrden({corr("a:", 1, 0), corr("b:", 1, 0), corr("c:", 1, 0)}),
         "a:@1 | 1@1 | -@1 ajeno || b:@2 | 1@2 | .@2 ajeno || c:@3 | 1@3 | 1e999@3 ajeno",
         "ll..ll..ll..", ""},
        {"saltos y n-ésima aparición", "b: N1 1 2 b: N2 3 4 5 fin: 6\n",
         enOrden({corr("b:", 2, 1), corr("b:", 3, 0)}),
         "b:@1 N2@1 | 3@1 4@1 5@1 | fin:@1 dosPuntos || sin aparición", "....lllll..", ""},
        {"más saltos que tokens: se salta hasta el final", "b: N1 1 2\n", corr("b:", 1, 20),
         "b:@1 N1@1 1@1 2@1 | | fin del archivo", "llll", ""},
        {"un espacio no separable une dos números en un token", "nudos:\n1\xC2\xA0" "0 0 0\n",
         corr("nudos:", 1, 0), "nudos:@1 | | 1\xC2\xA0" "0@2 ajeno", "l...", ""},
        // pares (factor, palabra)
        {"combo al final con caso numérico", combosAlFinal, corr("combo:", 2, 1, pares),
         "combo:@2 C1@3 | 1.2@3 D@3 1.6@4 2@4 | fin del archivo", "....llllll", ""},
        {"la lista termina en la siguiente etiqueta", "combo: A 1 D 2 L combo: B 1 D\n",
         corr("combo:", 1, 1, pares), "combo:@1 A@1 | 1@1 D@1 2@1 L@1 | combo:@1 dosPuntos",
         "llllll....", ""},
        {"factor que no es un número termina la lista",
         "combo: A 1.2 D e L\ncombo: B 1 D 1..6 L\n",
         enOrden({corr("combo:", 1, 1, pares), corr("combo:", 2, 1, pares)}),
         "combo:@1 A@1 | 1.2@1 D@1 | e@1 ajeno || combo:@2 B@2 | 1@2 D@2 | 1..6@2 ajeno",
         "llll..llll..", ""},
        {"factor al final sin palabra", "combo: A 1.2 D 1.6", corr("combo:", 1, 1, pares),
         "combo:@1 A@1 | 1.2@1 D@1 | 1.6@1 sinPalabra", "llll.", ""},
        {"factor ante una etiqueta dada: la etiqueta no es su palabra",
         "combo: A 1.2 D 1.6\napoyo: 1 1 1 1 1 1 1\n",
         corr("combo:", 1, 1, pares, {"combo:", "apoyo:"}),
         "combo:@1 A@1 | 1.2@1 D@1 | 1.6@1 etiquetaTrasFactor", "llll.........", ""},
        {"sin etiquetas dadas, la etiqueta es la palabra del factor",
         "combo: A 1.2 D 1.6\napoyo: 1 1\n", corr("combo:", 1, 1, pares),
         "combo:@1 A@1 | 1.2@1 D@1 1.6@1 apoyo:@2 1@2 1@2 | fin del archivo", "llllllll", ""},
        {"etiqueta como último token", "apoyo: 1 1 1 1 1 1 2\ncombo:",
         enOrden({corr("combo:", 1, 1, pares), corr("combo:", 1, 0)}),
         "combo:@2 | | fin del archivo || combo:@2 | | fin del archivo", "........l", ""},
        // valores de ajustes
        {"exponente en mayúscula tras una etiqueta de valor", "escalaN: 2.1E5\n",
         val("escalaN:", real), "210000 de 2.1E5@1", "ll", ""},
        {"entero truncado; vale la última aparición y las anteriores quedan nombradas",
         "precision: 3.7\nprecision: 5.9 x\n", val("precision:", entero),
         "5 de 5.9@2 | antes precision:@1 3.7@1", "nnll.", ""},
        {"tres apariciones de un real", "escalaN: 0.5\nescalaN: 0.2\nescalaN: 4\n",
         val("escalaN:", real), "4 de 4@3 | antes escalaN:@1 0.5@1, escalaN:@2 0.2@2", "nnnnll",
         ""},
        {"la etiqueta tomada como valor de la anterior no es otra aparición",
         "escalaN: escalaN: 0.2\n", val("escalaN:", real), "no válido: escalaN:@1", "ll.",
         "Advertencia: el valor escalaN: (línea 1) de la etiqueta escalaN: no es un real "
         "válido\n"},
        {"-1 del archivo es un valor", "precision: -1\n", val("precision:", entero),
         "-1 de -1@1", "ll", ""},
        {"palabra tras precision:", "precision: dos\n", val("precision:", entero),
         "no válido: dos@1", "ll",
         "Advertencia: el valor dos (línea 1) de la etiqueta precision: no es un entero válido\n"},
        {"entero fuera del rango de int", "precision: 99999999999\n", val("precision:", entero),
         "no válido: 99999999999@1", "ll",
         "Advertencia: el valor 99999999999 (línea 1) de la etiqueta precision: no es un entero "
         "válido\n"},
        {"signo suelto, infinito y restos tras el número",
         "escalaN: -\nescalaT: inf\nescalaMy: 2.5e\nescalaMz: 0.5abc\n",
         enOrden({val("escalaN:", real), val("escalaT:", real), val("escalaMy:", real),
                  val("escalaMz:", real)}),
         "no válido: -@1 || no válido: inf@2 || no válido: 2.5e@3 || no válido: 0.5abc@4",
         "llllllll",
         "Advertencia: el valor - (línea 1) de la etiqueta escalaN: no es un real válido\n"
         "Advertencia: el valor inf (línea 2) de la etiqueta escalaT: no es un real válido\n"
         "Advertencia: el valor 2.5e (línea 3) de la etiqueta escalaMy: no es un real válido\n"
         "Advertencia: el valor 0.5abc (línea 4) de la etiqueta escalaMz: no es un real "
         "válido\n"},
        {"etiqueta de valor como último token", "nudos: 1 0 0 0\nescalaN:",
         val("escalaN:", real), "sin valor tras escalaN:@2", ".....l",
         "Advertencia: falta el valor de la etiqueta escalaN: (línea 2)\n"},
        {"etiqueta de valor ausente", "nudos: 1 0 0 0\n",
         enOrden({val("escalaN:", real), val("precision:", entero)}),
         "sin la etiqueta || sin la etiqueta", ".....",
         avisoReal + "escalaN:\n" + avisoEntero + "precision:\n"},
        // apariciones
        {"las apariciones que se piden quedan nombradas",
         "pesoPropio: A\nnudos: 1 0 0 0\npesoPropio: B\n",
         [](L& l) {
             std::string s;
             for (size_t t : l.getApariciones("pesoPropio:")) {
                 s += conLinea(l, t) + " ";
             }
             return s;
         },
         "pesoPropio:@1 pesoPropio:@3 ", "n......n.", ""},
        // archivos vacíos
        {"archivo vacío", "",
         enOrden({corr("nudos:", 1, 0), tab("nudos:", 4), val("escalaN:", real)}),
         "sin aparición || 0x4: | sin aparición || sin la etiqueta", "",
         avisoReal + "escalaN:\n"},
        {"solo espacios", " \n\t\r\n\v\f  ", enOrden({corr("nudos:", 1, 0), tab("barras:", 3)}),
         "sin aparición || 0x3: | sin aparición", "", ""},
    });
}

// Las consultas con nombre del formato: lo que devuelven, con sus valores
// centinela, y sus líneas de consola
TEST(Lector, ConsultasConNombre)
{
    probarCasos({
        {"getNoEtiquetas y getMatriz: etiqueta con otra mayúscula, espacio o valor pegado",
         "Nudos: 1 0 0 0\nnudos : 2 0 0 0\nnudos:3 0 0 0\n",
         [](L& l) {
             return junto(
                 {std::to_string(l.getNoEtiquetas("nudos:")), unir(l.getMatriz("nudos:", 4))});
         },
         "0|0x4:", "...............", ""},
        {"getMatriz: tabla que no completa filas", "nudos:\n1 0 0 0\n2 6 0 0\n7\n",
         [](L& l) { return unir(l.getMatriz("nudos:", 4)); }, "0x0:", "llllllllll", faltanDatos},
        {"getEntero y getReal: última aparición, truncado, -1 del archivo y ausencia",
         "precision: 3.7\nprecision: 5.9\nescalaN: 0.5 escalaN: 0.2\nescalaT: -1\n",
         [](L& l) {
             return junto(
                 {std::to_string(l.getEntero("precision:")), std::to_string(l.getReal("escalaN:")),
                  std::to_string(l.getReal("escalaT:")), std::to_string(l.getReal("escalaMy:")),
                  std::to_string(l.getEntero("escalaMz:"))});
         },
         "5|0.200000|-1.000000|-1.000000|-1", "nnllnnllll",
         avisoReal + "escalaMy:\n" + avisoEntero + "escalaMz:\n"},
        {"getEntero y getReal: valor que no es un número", "precision: dos\nescalaN: -\n",
         [](L& l) {
             return junto({std::to_string(l.getEntero("precision:")),
                           std::to_string(l.getReal("escalaN:"))});
         },
         "-1|-1.000000", "llll",
         "Advertencia: el valor dos (línea 1) de la etiqueta precision: no es un entero válido\n"
         "Advertencia: el valor - (línea 2) de la etiqueta escalaN: no es un real válido\n"},
        {"getString: n = 0, n mayor, etiqueta final, valor numérico",
         "pesoPropio: 25\npesoPropio:",
         [](L& l) {
             return junto({l.getString("pesoPropio:", 0), l.getString("pesoPropio:", 1),
                           l.getString("pesoPropio:", 2), l.getString("pesoPropio:", 3)});
         },
         "|25||", "ll.", ""},
        {"getMatrizEtiquetaRepetida: saltos y n-ésima aparición",
         "b: N1 1 2 b: N2 3 4 5 fin: 6\n",
         [](L& l) {
             return junto({unir(l.getMatrizEtiquetaRepetida("b:", 2, 1)),
                           unir(l.getMatrizEtiquetaRepetida("b:", 3, 0)),
                           unir(l.getMatrizEtiquetaRepetida("b:", 1, 0))});
         },
         "3 4 5||", "l...lllll..", ""},
        {"getFactoresEtiqueta y getNombresDeFactores: combo al final con caso numérico",
         "combo: C0 1 X\ncombo:\nC1 1.2 D\n1.6 2",
         [](L& l) {
             return junto({std::to_string(l.getNoEtiquetas("combo:")), l.getString("combo:", 2),
                           unir(l.getFactoresEtiqueta("combo:", 2, 1)),
                           unir(l.getNombresDeFactores("combo:", 2, 1))});
         },
         "2|C1|1.2 1.6|D 2", "....llllll", ""},
        // el factor sin caso se dice una vez: la primera consulta de factores lo
        // nombra, también después de la de palabras, que no avisa
        {"getFactoresEtiqueta: factor final sin caso, una línea por factor", "combo: A 1.2 D 1.6",
         [](L& l) {
             return junto({unir(l.getNombresDeFactores("combo:", 1, 1)),
                           unir(l.getFactoresEtiqueta("combo:", 1, 1)),
                           unir(l.getFactoresEtiqueta("combo:", 1, 1))});
         },
         "D|1.2|1.2", "lllln",
         "Advertencia: el factor 1.6 (línea 1) al final de la etiqueta combo: no tiene caso; se "
         "omite\n"},
        {"getFactoresEtiqueta: el factor que otro aviso ya nombró no se dice otra vez",
         "combo: A 1.2 D 1.6",
         [](L& l) {
             corridaLeida r = l.getCorrida("combo:", 1, 1, claseCorrida::pares);
             l.marcarNombrado(r.fin);
             return unir(l.getFactoresEtiqueta("combo:", 1, 1));
         },
         "1.2", "lllln", ""},
        {"archivo vacío: el resultado de una etiqueta ausente", "",
         [](L& l) {
             return junto({std::to_string(l.getNoEtiquetas("nudos:")),
                           std::to_string(l.getEntero("precision:")),
                           std::to_string(l.getReal("escalaN:")), unir(l.getMatriz("nudos:", 4)),
                           l.getString("combo:", 1),
                           unir(l.getMatrizEtiquetaRepetida("apoyo:", 1, 0)),
                           unir(l.getFactoresEtiqueta("combo:", 1, 1)),
                           unir(l.getNombresDeFactores("combo:", 1, 1))});
         },
         "0|-1|-1.000000|0x4:||||", "", avisoEntero + "precision:\n" + avisoReal + "escalaN:\n"},
    });
}

TEST(Lector, TokenNumerico)
{
    claseLeerArchivo lector;
    for (const char* t : {"3", "-0.25", "2.1e5", "1-2", "e", "-", ".", "", "+1e-3"}) {
        EXPECT_TRUE(lector.esNumero(t)) << t;
    }
    for (const char* t : {"2.1E5", "1,5", "inf", "nan", "abc", "0x10", "nudos:", "1 2"}) {
        EXPECT_FALSE(lector.esNumero(t)) << t;
    }
}

TEST(Lector, ArchivoInexistenteSeLeeVacioYEnSilencio)
{
    claseLeerArchivo lector;
    lector.setNombreArchivo("/tmp/no-existe-este-archivo-de-entrada.txt");
    std::string salida = capturarSalida([&] {
        EXPECT_EQ(lector.getNoEtiquetas("nudos:"), 0);
        EXPECT_EQ(lector.getMatriz("nudos:", 4).rows(), 0);
        EXPECT_EQ(lector.getString("combo:", 1), "");
        EXPECT_TRUE(lector.getMatrizEtiquetaRepetida("apoyo:", 1, 0).empty());
    });
    EXPECT_EQ(salida, "");
}

// Cada carga lee el archivo una vez: lo que cambia después no se mezcla con
// lo leído, y un lector nuevo (la carga siguiente) lee el archivo nuevo
TEST(Lector, UnaLecturaPorCarga)
{
    std::string ruta = archivoTemporal("escalaN: 0.5\nnudos: 1 0 0 0\n");
    claseLeerArchivo lector;
    lector.setNombreArchivo(ruta);
    EXPECT_EQ(lector.getReal("escalaN:"), 0.5);
    // editado después de la primera consulta
    {
        FILE* f = std::fopen(ruta.c_str(), "w");
        std::fputs("escalaN: 0.25\nnudos: 1 0 0 0 2 1 0 0\n", f);
        std::fclose(f);
    }
    EXPECT_EQ(lector.getReal("escalaN:"), 0.5);
    EXPECT_EQ(lector.getMatriz("nudos:", 4).rows(), 1);
    claseLeerArchivo siguiente;
    siguiente.setNombreArchivo(ruta);
    EXPECT_EQ(siguiente.getMatriz("nudos:", 4).rows(), 2);
    EXPECT_EQ(siguiente.getReal("escalaN:"), 0.25);
    // reemplazado por otro archivo: el mismo lector con el nombre otra vez lo lee de nuevo
    std::string otro = archivoTemporal("escalaN: 4\n");
    ASSERT_EQ(std::rename(otro.c_str(), ruta.c_str()), 0);
    EXPECT_EQ(siguiente.getReal("escalaN:"), 0.25);
    siguiente.setNombreArchivo(ruta);
    EXPECT_EQ(siguiente.getReal("escalaN:"), 4);
    EXPECT_EQ(siguiente.getNoEtiquetas("nudos:"), 0);
    std::remove(ruta.c_str());
}

TEST(Lector, MarcaDeOrdenYBytesNulos)
{
    // la marca UTF-8 del comienzo no es parte del primer token; más adelante sí
    std::string ruta = archivoTemporal("\xEF\xBB\xBFnudos: 1 0 0 0\n\xEF\xBB\xBF" "barras: 1 1 1\n");
    claseLeerArchivo lector;
    lector.setNombreArchivo(ruta);
    std::string salida = capturarSalida([&] {
        EXPECT_EQ(lector.getMatriz("nudos:", 4).rows(), 1);
        EXPECT_EQ(lector.getNoEtiquetas("barras:"), 0);
        EXPECT_TRUE(lector.getArchivoLegible());
    });
    EXPECT_EQ(salida, "");
    std::remove(ruta.c_str());
    // UTF-16: una sola línea en la primera consulta, y se lee vacío
    const char utf16[] = "\xFF\xFEn\0u\0d\0o\0s\0:\0 \0" "1\0";
    ruta = archivoTemporal(std::string(utf16, sizeof utf16 - 1));
    lector.setNombreArchivo(ruta);
    salida = capturarSalida([&] {
        EXPECT_TRUE(lector.getArchivoLegible());
        EXPECT_EQ(lector.getNoEtiquetas("nudos:"), 0);
        EXPECT_EQ(lector.getString("n", 1), "");
    });
    EXPECT_EQ(salida, "Advertencia: el archivo " + ruta +
                          " no es un archivo de texto plano (tiene bytes nulos); se lee como un "
                          "archivo vacío\n");
    std::remove(ruta.c_str());
}

// Citas cortas, sin caracteres de control, las líneas de un aviso y los
// caracteres que no se ven
TEST(Lector, CitasYLineas)
{
    std::string largo(100, 'a');
    EXPECT_EQ(claseLeerArchivo::citar(largo), std::string(40, 'a') + "…");
    EXPECT_EQ(claseLeerArchivo::citar(std::string(39, 'a') + "ñ"), std::string(39, 'a') + "…");
    EXPECT_EQ(claseLeerArchivo::citar("a\tb\x01"), "a?b?");
    EXPECT_EQ(claseLeerArchivo::listaDeLineas({3}), "línea 3");
    EXPECT_EQ(claseLeerArchivo::listaDeLineas({3, 3}), "línea 3");
    EXPECT_EQ(claseLeerArchivo::listaDeLineas({3, 7}), "líneas 3 y 7");
    EXPECT_EQ(claseLeerArchivo::listaDeLineas({1, 2, 3, 4, 5, 6}), "líneas 1, 2, 3, 4, 5 y 6");
    EXPECT_EQ(claseLeerArchivo::listaDeLineas({1, 2, 3, 4, 5, 6, 7}), "líneas 1, 2, 3, 4, 5 y 2 más");
    std::string ruta = archivoTemporal("nudos:\n1\xC2\xA0" "0 0 0\n");
    claseLeerArchivo l;
    l.setNombreArchivo(ruta);
    corridaLeida r = l.getCorrida("nudos:", 1, 0, claseCorrida::numeros);
    EXPECT_EQ(l.describir(r.fin), "1\xC2\xA0" "0 (línea 2, con un espacio no separable (U+00A0))");
    std::remove(ruta.c_str());
}
