// Panel superpuesto: línea de comandos, lista de combos, ayudas y botones.
#include <algorithm>

#include <GL/freeglut.h>

#include "app/zurezar3o.h"
#include "viewer/botonesPlot.h"
#include "viewer/comunPlot.h"
#include "viewer/elementosPlot.h"
#include "viewer/funcionPlot.h"

const std::string textoAyuda =
    "*******************************************\n"
    "*******     TRESNAL 3D    *********\n"
    "*******************************************\n"
    "TECLAS DE NAVEGACION:\n"
    "Paneo: click izquierdo y mover mouse\n"
    "Rotar: click central y mover mouse\n"
    "Zoom: scroll +/-\n"
    "Cambiar escala de diagramas: (tecla +) o (tecla -)\n"
    "  teclado de EE.UU.: (tecla =) o (tecla -)\n"
    "Cambiar escala de texto: (shift +) o (shift -)\n"
    "  teclado español: (tecla *) o (tecla _)\n"
    "Mostrar u ocultar lineas internas de diagramas: Alt-f\n"
    "Mostrar u ocultar texto de diagramas: Alt-t\n"
    "Mostrar u ocultar nudos: Alt-n\n"
    "perspectiva - ortogonal: Alt-c\n"
    "\n"
    "Ayuda: F1\n"
    "Ayuda de etiquetas para ingresoDatos.txt: F12\n"
    "vista XZ: F2\n"
    "vista YZ: F3\n"
    "vista XY: F4\n"
    "refrescar Modelo: F5\n"
    "\n"
    "COMANDOS DE LINEA DE COMANDOS:\n"
    "combo  --> Activa la opcion para introducir un combo\n"
    "plotCarga --> Plotea las cargas del combo activado\n"
    "plotDef --> Plotea deformaciones\n"
    "plotN   --> Plotea Fuerzas Axiales\n"
    "plotMy  --> Plotea Momentos sobre el eje local Y\n"
    "plotMz  --> Plotea momentos sobre el eje local Z\n"
    "plotVy  --> Plotea Cortantes sobre el ele Y\n"
    "plotVz  --> Plotea Cortantes sobre el eje Z\n"
    "plotT   --> Plotea Torsión\n"
    "plotR   --> Plotea Reacciones\n"
    "tagNudos --> Muestra u oculta la numeracion de nudos\n"
    "tagBarras --> Muestra u oculta la numeracion de barras\n"
    "secciones --> Muestra u oculta las secciones transverlaes\n"
    "noTags  --> Oculta todos los Tags\n";

const std::string textoAyudaEtiquetas[4] = {
    "**************************************************************************\n"
    "**** Etiquetas de ingreso de datos al archivo ingresoDatos.txt ***\n"
    "**********                  DE GEOMETRIA                  ***************\n"
    "*************************************************************************\n"
    "nudos:\n"
    "  \t   #nudo CoordX coordY coordZ\n"
    "barras:\n"
    "  \t   #barra deNudo aNudo\n"
    "seccionRectangular:\n"
    "\t   tagSeccion\n"
    "\t   base altura modElas modPoisson pesoEspecifico\n"
    "\t   {lista de barras}\n"
    "seccionGenerica:\n"
    "\t   tagSeccion\n"
    "\t   area inerciaY inerciaZ ModuloJ modElas poisson pesoEspecifico\n"
    "\t   {lista de barras}\n"
    "seccionPlaca:\n"
    "\t   tagSeccion\n"
    "\t   base altura modElas poisson pesoEspecifico\n"
    "\t   {lista de barras}\n"
    "seccionCostanera:\n"
    "\t   tagSeccion\n"
    "\t   alma ala labio espesor radio modElas poisson pesoEspecifico\n"
    "\t   {lista de barras}\n"
    "seccionW:\n"
    "\t   tagSeccion\n"
    "\t   ala grosorAla alma grosorAlma modElas poisson pesoEspecifico\n"
    "\t   {lista de barras}\n"
    "rotacionBarra:\n"
    "\t   angulo(en grados Sexagesimales)\n"
    "\t   {lista de barras}\n",

    "***********************************************************************\n"
    "**** Etiquetas de ingreso de datos al archivo ingresoDatos.txt ***:\n"
    "**********         DE APOYOS Y CONEXIONES          ***************\n"
    "***********************************************************************\n"
    "apoyo:\n"
    "\t   Ux Uy Uz giroX giroY giroZ\n"
    "\t   {lista de nudos}\n"
    "articulacion:\n"
    "\t   articInicioY articFinY articInicioZ articFinZ\n"
    "\t   {lista de barras}\n",

    "***********************************************************************\n"
    "**** Etiquetas de ingreso de datos al archivo ingresoDatos.txt ***:\n"
    "**********                 DE CARGAS               ***************\n"
    "***********************************************************************\n"
    "puntual:\n"
    "\t   casoCarga (texto sin espacios)\n"
    "\t   Px Py Pz Mx My Mz\n"
    "\t   {lista de nudos}\t\t\n"
    "pesoPropio: nombre_del_PP \n"
    "distribuidaLocalX:\n"
    "\t   casoCarga (casoCarga es texto sin espacios)\n"
    "\t   fIni fFin\n"
    "\t   {lista de barras}\n"
    "distribuidaLocalY:\n"
    "\t   casoCarga (casoCarga es texto sin espacios)\n"
    "\t   qYIni qYFin\n"
    "\t   {lista de barras}\t\t\n"
    "distribuidaLocalZ:\n"
    "\t   casoCarga (casoCarga es texto sin espacios)\n"
    "\t   qZIni qZFin\n"
    "\t   {lista de barras}\n"
    "distribuidaLocalT:\n"
    "\t   casoCarga (casoCarga es texto sin espacios)\n"
    "\t   torsion\n"
    "\t   {lista de barras}\n"
    "distribuidaGlobal:\n"
    "\t   casoCarga (texto sin espacios)\n"
    "\t   qIzq qDer dirX dirY dirZ\n"
    "\t   {lista de barras}\t\n"
    "combo:\n"
    "\t   nombreCombo\n"
    "\t   FactorMayoracion1 CasoDeCarga1\n"
    "\t   FactorMayoracion2 CasoDeCarga2\n"
    "\t   FactorMayoracion3 CasoDeCarga3\n"
    "\t   etc...\n",

    "***********************************************************************\n"
    "**** Etiquetas de ingreso de datos al archivo ingresoDatos.txt ***:\n"
    "**********        DE ESCALA DE PLOTEADO            ***************\n"
    "***********************************************************************\n"
    "precision: cantidad de decimales (por defecto 3)\n"
    "escalaDeflexion: escala deformaciones (por defecto 100 veces)\n"
    "escalaN: escala de diagramas de axiales (por defecto 0.01)\n"
    "escalaVy: escala de diagramas de cortante en Y (por defecto 0.05)\n"
    "escalaVz: escala de diagramas de cortante en Z (por defecto 0.05)\n"
    "escalaMy: escala de diagramas de momento flector en Y (por defecto 0.02)\n"
    "escalaMz: escala de diagramas de momento flector en Z (por defecto 0.02)\n"
    "escalaT: escala de diagramas de torsión (por defecto 0.01)\n"
    "escalaTexto: Tamaño de texto (Defecto 0.15 unidades de distancia)\n"
    "escalaCarga: Tamaño de cargas. (Por defecto 0.1)\n"
    "escalaApoyo: Tamaño de apoyos. (por defecto adopta un tamaño en función al tamaño de la "
    "estructura)\n",
};

std::string funcionUtf8ALatin1(const std::string& texto)
{
    std::string salida;
    salida.reserve(texto.size());
    size_t i = 0;
    while (i < texto.size()) {
        unsigned char c = static_cast<unsigned char>(texto[i]);
        // Largo de la secuencia según el primer byte (0: no es comienzo válido)
        size_t largo = c < 0x80 ? 1 : (c >= 0xC2 && c <= 0xDF) ? 2 : (c >= 0xE0 && c <= 0xEF) ? 3
                                    : (c >= 0xF0 && c <= 0xF4) ? 4 : 0;
        bool valida = largo > 0 && i + largo <= texto.size();
        for (size_t k = 1; valida && k < largo; k++) {
            valida = (static_cast<unsigned char>(texto[i + k]) & 0xC0) == 0x80;
        }
        if (!valida) {
            // Byte suelto: se deja como está (puede venir ya en Latin-1)
            salida += texto[i];
            i++;
        } else if (largo == 1) {
            salida += texto[i];
            i++;
        } else if (largo == 2) {
            unsigned cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(texto[i + 1]) & 0x3Fu);
            salida += static_cast<char>(cp);
            i += 2;
        } else {
            // Fuera de Latin-1: la fuente no tiene la letra
            salida += '?';
            i += largo;
        }
    }
    return salida;
}

namespace {

void texto(double x, double y, const std::string& t)
{
    glRasterPos3d(x, y, 0);
    std::string latin1 = funcionUtf8ALatin1(t);
    glutBitmapString(GLUT_BITMAP_HELVETICA_12,
                     reinterpret_cast<const unsigned char*>(latin1.c_str()));
}

}  // namespace

void plotDialogo()
{
    const double W = wVentana;
    const double H = hVentana;
    // Sin tamaño de ventana todavía no hay marco de píxeles
    if (wVentana <= 0 || hVentana <= 0) return;

    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const double a = W / H;
    const double D = distCamObj;
    if (flagEncendido(flagPerspectiva)) {
        glTranslated(0, 0, -2.4142);
        glScaled(2 * a / W, -2 / H, 1);
    } else if (W > H) {
        glScaled(D * a / W, -D / H, 1);
    } else {
        glScaled(D / W, -D / (a * H), 1);
    }
    glTranslated(-W / 2, -H / 2, 0);

    glColor3d(0, 1, 0);
    texto(20, H - 36, dialogo + "\n/>" + comando);

    if (noNudos != 0 && !nudo.empty()) {
        glColor3d(0, 1, 0);
        texto(W - 150, 30, "COMBOS ACTIVADOS:");
        // Solo los combos con interruptor en flags tienen botón
        const claseNombresCombo& combos = nombresCombosModelo();
        int n = std::min(static_cast<int>(combos.size()), maxCombosFlags);
        for (int i = 0; i < n; i++) {
            botonCombo(W - 130, 35 + 15 * i, 130, 12, combos[static_cast<size_t>(i)], i);
        }
    }

    if (flagEncendido(flagAyuda)) {
        glColor3d(0.3, 1, 0);
        texto(90, 20, textoAyuda);
    }
    int pagina = flags[flagAyudaEtiquetas];
    if (pagina >= 1 && pagina <= 4) {
        glColor3d(1, 1, 0);
        texto(90, 20, textoAyudaEtiquetas[pagina - 1]);
    }

    botonFlag(W - 130, H - 80, 120, 15, "Calcular", flagCalculado);
    for (const BotonColumna& b : botonesColumna) {
        if (b.seVe == BotonSeVe::siempre || flags[flagCalculado] == 1) {
            botonFlag(10, b.y, 70, 12, b.etiqueta, b.flag);
        }
    }

    glPopMatrix();
}
