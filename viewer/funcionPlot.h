// Ventana, cámara, ratón, teclado y reglas de los flags de pantalla.
// Implementación:
//   funcionPlot.cpp          ventana, proyección, caja del modelo, cuadro
//   funcionPlot_raton.cpp    órbita, paneo y zoom
//   funcionPlot_flags.cpp    estado inicial y reglas de flags
//   funcionPlot_teclado.cpp  línea de comandos, teclas de función, recarga
//   funcionPlot_cache.cpp    caché del cuadro: tandas grabadas (lotePlot)
#pragma once

// Índices de flags
const int flagTagNudos = 0;
const int flagTagBarras = 1;
const int flagSecciones = 2;
const int flagDeformada = 3;
const int flagAxial = 4;
const int flagCortanteY = 5;
const int flagMomentoY = 6;
const int flagCarga = 7;
const int flagReacciones = 8;
const int flagApoyos = 9;
const int flagCortanteZ = 10;
const int flagMomentoZ = 11;
const int flagEjes = 12;
const int flagTextoDiagramas = 14;
const int flagLineasInternas = 15;
const int flagNudos = 16;
const int flagPerspectiva = 17;
const int flagAyuda = 18;
const int flagAyudaEtiquetas = 19;
const int flagVolumen = 20;
const int flagTorsion = 21;
const int flagCalculado = 30;
// Interruptores de los combos: flagCombos + c, para c < maxCombosFlags (app/zurezar3o.h)
const int flagCombos = 100;

// Ventana y cuadro
void funcionPlot(int argc, char** argv);
// Abre la ventana con ese título: 1000 x 800 en (100, 10), RGB, doble búfer y
// profundidad, con las letras y la esfera de las tandas ya leídas. La usan el
// programa, la medición del dibujo y las pruebas del visor.
void funcionAbrirVentana(int& argc, char** argv, const char* titulo);
void changeSize(int w, int h);
void funcionFronteraGraf();
// Vista de un modelo recién cargado: todo a la vista, avisos de nuevo,
// caja y cámara de inicio
void funcionVistaNuevoModelo();
void draw();
// El cuadro sin intercambiar los búferes: queda en el trasero
void funcionDibujarCuadro();
// Lee el tamaño actual de la ventana y vuelve a aplicar la proyección
void funcionAplicarProyeccion();

// Caché del cuadro (funcionPlot_cache.cpp): la escena se graba en tandas
// (lotePlot.h) y se reproduce mientras no cambie estadoEscena (app/zurezar3o.h:
// flags, aislamiento, ajustes de dibujo, diagonal, cantidades del modelo y las
// versiones del modelo y de los resultados); la cámara se resuelve en cada cuadro
void funcionDibujarEscena(void (*escena)());
// Enciende o apaga la caché (la ventana del programa la enciende)
enum class Cache { apagada, encendida };
void funcionCacheDibujo(Cache estado);
// Veces que se grabó la escena desde el arranque
int funcionGrabacionesEscena();

// Ratón
void mouseButton(int button, int state, int x, int y);
void mouseMove(int x, int y);
void zoomIn();
void zoomOut();

// Flags
void funcionFlagsInicio();
void modificadorFlagsGraf(int i);

// Teclado
// Lectura de Shift/Ctrl/Alt (glutGetModifiers); las pruebas la sustituyen.
// El único global fuera de app/: no es estado del programa, y su valor es una
// función de freeglut, que el núcleo no enlaza.
extern int (*funcionLeerModificadores)();
void teclado(unsigned char key, int x, int y);
void tecladoEspecial(int key, int x, int y);
void funcionRecargar();
